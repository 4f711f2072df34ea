// The chart's full redraw against the same trace stroked line by line, over SIN sweeps of 256,
// 2560 and 10000 points, and what one step costs the chart once it is on a screen: the columns
// its stair changed, drawn and handed to the window. The chart has its design size (1177 x 448)
// or a 4K screen's (3840 x 1500).
#include "chart/Chart.h"
#include "chart/TraceRenderer.h"
#include "engine/WaveTables.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QSize ChartSize(int width) {
    return width >= 3840 ? QSize(3840, 1500) : QSize(1177, 448);
}

double Sample(int i) {
    return SinTable[static_cast<std::size_t>(i % 256)];
}

// A chart of the given width holding a SIN sweep of `points` points, its bottom axis showing
// `shown` points across, as with Auto Clear off and the width slider at `shown`.
std::unique_ptr<TChart> SweepChart(int shown, int points, int width) {
    auto chart = std::make_unique<TChart>();
    chart->resize(ChartSize(width));
    chart->LeftAxis().StoreRange(0, 255);
    chart->BottomAxis().StoreRange(0, shown);
    for (int i = 0; i < points; ++i)
        chart->Series().AddY(Sample(i));
    return chart;
}

void BM_ChartRedraw(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto chart = SweepChart(n, n, static_cast<int>(state.range(1)));
    QImage image(chart->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        chart->Render(image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The background and then every stroke as a line of its own, as a general antialiased
// rasteriser draws it.
void BM_ReferenceRedraw(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto chart = SweepChart(n, n, 1177);
    QImage image(chart->size(), QImage::Format_RGB32);
    const QRect plot = chart->PlotRect();
    const QColor background = chart->BackgroundColor();
    for (auto _ : state) {
        image.fill(background);
        DrawTraceStrokeByStroke(image, plot, chart->Series(), chart->BottomAxis(),
                                chart->LeftAxis());
        benchmark::DoNotOptimize(image.constBits());
    }
}

// One step on a shown chart whose bottom axis spans N points: the add, and the paint that
// redraws the columns it changed and hands them to the window. The trace runs from N / 2 points
// to the first point at the right edge; refilling it, untimed, takes a full redraw.
void BM_StepDraw(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const auto chart = SweepChart(n, n / 2, static_cast<int>(state.range(1)));
    chart->show();
    while (!chart->windowHandle() || !chart->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    QCoreApplication::processEvents();
    const long long fullBefore = chart->FullRedrawCount();
    const long long partialBefore = chart->PartialRedrawCount();
    long long refills = 0;
    for (auto _ : state) {
        if (chart->Series().Count() > n) {
            state.PauseTiming();
            chart->Series().Clear();
            for (int i = 0; i < n / 2; ++i)
                chart->Series().AddY(Sample(i));
            QCoreApplication::processEvents();
            ++refills;
            state.ResumeTiming();
        }
        chart->Series().AddY(Sample(chart->Series().Count()));
        QCoreApplication::processEvents();
    }
    if (chart->FullRedrawCount() - fullBefore != refills)
        state.SkipWithError("a step redrew the whole chart");
    else if (chart->PartialRedrawCount() - partialBefore != state.iterations())
        state.SkipWithError("a step was not drawn");
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"points", "width"});
    for (int width : {1177, 3840})
        for (int points : {256, 2560, 10000})
            b->Args({points, width});
}

BENCHMARK(BM_ChartRedraw)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceRedraw)->Arg(256)->Arg(2560)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepDraw)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
