#include "lab/HarmonicsPlot.h"

#include "lab/LabText.h"

#include <QPainter>
#include <algorithm>

namespace {
// The main chart's trace colour, so that the bars read as the stairs' own.
const QColor BarColor(68, 102, 163);
// Of the room each harmonic has across.
constexpr double BarWidth = 0.6;
constexpr int DescribedHarmonics = 8;
} // namespace

THarmonicsPlot::THarmonicsPlot(QWidget* parent) : TLabPlot(parent) {
    // Half a harmonic of room beyond the first and the last bar.
    Bottom().StoreRange(0, TSpectrum::ShownHarmonics + 1);
    Left().StoreRange(FloorDb, 0);
    setAccessibleName(QStringLiteral("Harmonics"));
}

void THarmonicsPlot::SetSpectrum(const TSpectrum& spectrum) {
    fSpectrum = spectrum;
    setAccessibleDescription(Description());
    update();
}

QString THarmonicsPlot::Description() const {
    if (!fSpectrum.HasFundamental())
        return QStringLiteral("No fundamental: the table repeats within its period or is constant");
    QStringList levels;
    for (int m = 1; m <= DescribedHarmonics; ++m)
        levels << QStringLiteral("%1: %2").arg(m).arg(LabText::Level(fSpectrum.levelDb[m]));
    return QStringLiteral("Harmonics relative to the fundamental, ") +
           levels.join(QStringLiteral(", "));
}

void THarmonicsPlot::DrawContent(QPainter& painter, const QRect&) {
    if (!fSpectrum.HasFundamental())
        return;
    const TChartAxis& x = BottomAxis();
    const TChartAxis& y = LeftAxis();
    const double halfWidth = BarWidth / 2 * (x.Length() / x.Range());
    const int floor = y.ValueToPixel(FloorDb);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int m = 1; m <= TSpectrum::ShownHarmonics; ++m) {
        const double level = fSpectrum.levelDb[m];
        if (level <= FloorDb)
            continue;
        const int centre = x.ValueToPixel(m);
        const int left = centre - std::max(1, int(halfWidth));
        const int right = centre + std::max(1, int(halfWidth));
        painter.fillRect(QRect(QPoint(left, y.ValueToPixel(level)), QPoint(right, floor)),
                         BarColor);
    }
}
