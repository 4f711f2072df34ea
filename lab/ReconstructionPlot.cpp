#include "lab/ReconstructionPlot.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace {
const QColor StairsColor(68, 102, 163);
const QColor CurveColor(214, 96, 24);
} // namespace

TReconstructionPlot::TReconstructionPlot(QWidget* parent) : TLabPlot(parent) {
    Bottom().StoreRange(0, 256);
    Left().StoreRange(LowestSample, HighestSample);
    setAccessibleName(QStringLiteral("Reconstruction"));
    setAccessibleDescription(
        QStringLiteral("One period of the stairs, and over it the output of the filter"));
}

void TReconstructionPlot::SetTable(const TWaveTable& table, double cutoffPerStep) {
    fTable = table;
    fCurve = TReconstruction(table, cutoffPerStep).Curve(PointsPerStep);
    update();
}

void TReconstructionPlot::DrawContent(QPainter& painter, const QRect&) {
    const TChartAxis& x = BottomAxis();
    const TChartAxis& y = LeftAxis();
    // Exact positions rather than whole pixels: a step is only a few pixels wide.
    const auto at = [&](double steps, double sample) {
        const double px = x.StartPixel() + (steps - x.Minimum()) / x.Range() * x.Length();
        const double py = y.EndPixel() - (sample - y.Minimum()) / y.Range() * y.Length();
        return QPointF(px, py);
    };

    QPolygonF stairs;
    stairs.reserve(2 * 256);
    for (int n = 0; n < 256; ++n) {
        stairs << at(n, fTable[n]) << at(n + 1, fTable[n]);
    }
    painter.setPen(QPen(StairsColor, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPolyline(stairs);

    if (fCurve.empty())
        return;
    QPolygonF curve;
    curve.reserve(static_cast<qsizetype>(fCurve.size()) + 1);
    for (std::size_t i = 0; i < fCurve.size(); ++i)
        curve << at(double(i) / PointsPerStep, fCurve[i]);
    // The period ends where it began: steady state.
    curve << at(256, fCurve.front());
    painter.setPen(QPen(CurveColor, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(curve);
}
