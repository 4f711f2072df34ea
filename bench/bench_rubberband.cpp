// What the rubber band costs while it follows the pointer, against the full redraw it avoids.
#include "chart/Chart.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

// The chart at the layout's size, showing a sweep of 256 points.
struct Fixture : QObject {
    TChart chart;
    long long paints = 0;
    bool exposed = false;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    Fixture() {
        chart.installEventFilter(this);
        chart.resize(1177, 448);
        chart.BottomAxis().StoreRange(0, 255);
        chart.LeftAxis().StoreRange(0, 255);
        for (int i = 0; i < 256; ++i)
            chart.Series().AddY(std::round(127.5 + 127.5 * std::sin(i * 2 * M_PI / 256)));
        chart.show();
        exposed = QTest::qWaitForWindowExposed(&chart);
        chart.repaint();
    }
    void send(QEvent::Type type, Qt::MouseButton button, QPoint at) {
        QMouseEvent event(type, at, chart.mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }
};

void BM_FullRedraw(benchmark::State& state) {
    Fixture f;
    QImage image(f.chart.size(), QImage::Format_RGB32);
    for (auto _ : state)
        f.chart.Render(image);
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMicrosecond);

// One pointer move during a zoom drag: the old band is erased and the new one drawn, by
// repainting only the strips they cover.
void BM_RubberBandMove(benchmark::State& state) {
    Fixture f;
    const QPoint anchor = f.chart.PlotRect().topLeft() + QPoint(50, 30);
    f.send(QEvent::MouseButtonPress, Qt::LeftButton, anchor);
    int i = 0;
    for (auto _ : state) {
        const QPoint corner = anchor + QPoint(600 + (i & 1) * 7, 300 + (i & 1) * 5);
        f.send(QEvent::MouseMove, Qt::NoButton, corner);
        QCoreApplication::processEvents();
        ++i;
    }
    f.send(QEvent::MouseButtonRelease, Qt::LeftButton, anchor);
    if (f.paints < state.iterations())
        state.SkipWithError("a move was not painted");
    if (f.chart.FullRedrawCount() != 1)
        state.SkipWithError("the band caused a full redraw");
}
BENCHMARK(BM_RubberBandMove)->Unit(benchmark::kMicrosecond);

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
