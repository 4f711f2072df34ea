// One period of the DAC's output as stairs, and over it the reconstruction filter's output in
// steady state.
#pragma once

#include "lab/LabPlot.h"
#include "signal/Reconstruction.h"

#include <vector>

class TReconstructionPlot : public TLabPlot {
    Q_OBJECT
public:
    // Wide enough for the filter's overshoot: a second-order Butterworth low-pass overshoots a
    // step by 4.3 %, so a jump across the whole range (SQR, SAW's wrap) reaches about -11 and 266.
    static constexpr double LowestSample = -20;
    static constexpr double HighestSample = 275;
    // Curve points per step: enough for a smooth line where the filter rings fastest.
    static constexpr int PointsPerStep = 4;

    explicit TReconstructionPlot(QWidget* parent = nullptr);

    void SetTable(const TWaveTable& table, double cutoffPerStep);

    // The filtered curve as drawn, PointsPerStep values per step over one period.
    const std::vector<double>& Curve() const { return fCurve; }

    QSize sizeHint() const override { return {640, 240}; }

protected:
    void DrawContent(QPainter& painter, const QRect& plot) override;

private:
    TWaveTable fTable{};
    std::vector<double> fCurve;
};
