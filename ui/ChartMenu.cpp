#include "ui/ChartMenu.h"

#include "chart/Chart.h"
#include "engine/WaveTables.h"
#include "export/SamplesText.h"
#include "export/WaveTableSource.h"
#include "ui/Events.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace {

// The chart's picture as the window shows it, in device pixels, without the rubber band. Painting
// the chart runs its own paint path, which first brings the kept picture up to date if a redraw
// is pending; the band goes onto the throwaway copy only.
QImage ShownPicture(TChart& chart) {
    chart.grab();
    return chart.Picture();
}

} // namespace

TChartMenu::TChartMenu(TChart& chart) : QMenu(&chart), fChart(chart) {
    setObjectName(QStringLiteral("ChartMenu"));
    setAccessibleName(QStringLiteral("DAC output"));
    fCopyPicture = AddEntry(QStringLiteral("Copy picture"), [this] { CopyPicture(); });
    AddEntry(QStringLiteral("Copy samples"), [this] { CopySamples(); });
    AddEntry(QStringLiteral("Copy wave table as C array"), [this] { CopyWaveTable(); });
    connect(&chart, &TChart::ContextMenuRequested, this, [this](const QPoint& at) { popup(at); });
    connect(&chart, &TChart::CopyRequested, fCopyPicture, &QAction::trigger);
    // A click closes the menu before the entry runs; an assistive tool's press triggers the entry
    // alone, and the menu closes after it as well.
    connect(this, &QMenu::triggered, this, &QMenu::hide);
}

QAction* TChartMenu::AddEntry(const QString& text, std::function<void()> chosen) {
    QAction* entry = addAction(text);
    connect(entry, &QAction::triggered, this, [chosen = std::move(chosen)] { Raise(chosen); });
    return entry;
}

void TChartMenu::CopyPicture() {
    QGuiApplication::clipboard()->setImage(ShownPicture(fChart));
}

void TChartMenu::CopySamples() {
    const TChartSeries& trace = fChart.Series();
    const auto count = static_cast<std::size_t>(trace.Count());
    const std::string text =
        SamplesText({trace.XValues().Data(), count}, {trace.YValues().Data(), count});
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void TChartMenu::CopyWaveTable() {
    // The working table, since that is what the generator plays; its name comes from its content.
    QGuiApplication::clipboard()->setText(QString::fromStdString(WaveTableSource(WaveTable)));
}
