// The chart's full redraw against the same trace stroked line by line, over SIN sweeps of 256,
// 2560 and 10000 points on a chart of its design size.
#include "chart/Chart.h"
#include "chart/TraceRenderer.h"
#include "engine/WaveTables.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A chart of 1177 x 448 holding a SIN sweep of n points, the bottom axis showing all of them, as
// with Auto Clear off and the width slider at n.
std::unique_ptr<TChart> SweepChart(int n) {
    auto chart = std::make_unique<TChart>();
    chart->resize(1177, 448);
    chart->LeftAxis().StoreRange(0, 255);
    chart->BottomAxis().StoreRange(0, n);
    for (int i = 0; i < n; ++i)
        chart->Series().AddY(SinTable[static_cast<std::size_t>(i % 256)]);
    return chart;
}

void BM_ChartRedraw(benchmark::State& state) {
    const auto chart = SweepChart(static_cast<int>(state.range(0)));
    QImage image(chart->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        chart->Render(image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The background and then every stroke as a line of its own, as a general antialiased
// rasteriser draws it.
void BM_ReferenceRedraw(benchmark::State& state) {
    const auto chart = SweepChart(static_cast<int>(state.range(0)));
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

BENCHMARK(BM_ChartRedraw)->Arg(256)->Arg(2560)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceRedraw)->Arg(256)->Arg(2560)->Arg(10000)->Unit(benchmark::kMillisecond);

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
