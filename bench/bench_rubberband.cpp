// What a pointer move costs while the rubber band follows it, against a paint with a full redraw,
// for a short sweep and for the longest trace.
#include "chart/Chart.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

// The chart at the layout's size, showing a sine trace of `points` points across its width.
struct Fixture : QObject {
    TChart chart;
    long long paints = 0;
    bool exposed = false;
    explicit Fixture(int points) {
        chart.installEventFilter(this);
        chart.resize(1177, 448);
        chart.BottomAxis().StoreRange(0, points - 1);
        chart.LeftAxis().StoreRange(0, 255);
        for (int i = 0; i < points; ++i)
            chart.Series().AddY(std::round(127.5 + 127.5 * std::sin(i * 2 * M_PI / 256)));
        chart.show();
        exposed = QTest::qWaitForWindowExposed(&chart);
        chart.repaint();
    }
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    void send(QEvent::Type type, QPoint at) {
        QMouseEvent event(type, at, chart.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }
};

// A paint that redraws everything, as after an add.
void BM_FullRedrawPaint(benchmark::State& state) {
    Fixture f(int(state.range(0)));
    for (auto _ : state) {
        f.chart.RequestRedraw();
        QCoreApplication::processEvents();
    }
    if (!f.exposed || f.chart.FullRedrawCount() < state.iterations())
        state.SkipWithError("not every request was painted");
}
BENCHMARK(BM_FullRedrawPaint)->Arg(256)->Arg(10000)->Unit(benchmark::kMicrosecond);

// One pointer move during a zoom drag: the old band is erased and the new one drawn, by
// repainting only the strips they cover.
void BM_RubberBandMove(benchmark::State& state) {
    Fixture f(int(state.range(0)));
    const QPoint anchor = f.chart.PlotRect().topLeft() + QPoint(50, 30);
    f.send(QEvent::MouseButtonPress, anchor);
    const long long paintsBefore = f.paints;
    int i = 0;
    for (auto _ : state) {
        f.send(QEvent::MouseMove, anchor + QPoint(600 + (i & 1) * 7, 300 + (i & 1) * 5));
        QCoreApplication::processEvents();
        ++i;
    }
    f.send(QEvent::MouseButtonRelease, anchor);
    if (!f.exposed || f.paints - paintsBefore < state.iterations())
        state.SkipWithError("a move was not painted");
    if (f.chart.FullRedrawCount() != 1)
        state.SkipWithError("the band caused a full redraw");
}
BENCHMARK(BM_RubberBandMove)->Arg(256)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
