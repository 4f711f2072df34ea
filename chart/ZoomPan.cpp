#include "chart/ZoomPan.h"

#include "chart/AxisStyle.h"

#include <algorithm>
#include <cstdlib>

void TZoomPan::SaveScales() {
    if (!fRestoredAxisScales)
        return;
    FSavedScales.clear();
    for (const TChartAxis* axis : fAxes)
        FSavedScales.push_back({axis->Automatic, axis->AutomaticMinimum, axis->AutomaticMaximum,
                                axis->Minimum(), axis->Maximum()});
    fRestoredAxisScales = false;
}

void TZoomPan::UndoZoom() {
    if (fRestoredAxisScales)
        return;
    for (std::size_t i = 0; i < fAxes.size(); ++i) {
        TChartAxis& axis = *fAxes[i];
        const TAxisSavedScales& saved = FSavedScales[i];
        axis.Automatic = saved.Auto;
        axis.AutomaticMinimum = saved.AutoMin;
        axis.AutomaticMaximum = saved.AutoMax;
        axis.StoreRange(saved.Min, saved.Max);
    }
    FSavedScales.clear();
    fRestoredAxisScales = true;
}

bool TZoomPan::PressCounts(int x, int y) const {
    const int left = Bottom().StartPixel();
    const int right = Bottom().EndPixel();
    const int top = Left().StartPixel();
    const int bottom = Left().EndPixel();
    const bool alongBottom = x >= left && x <= right;
    const bool alongLeft = y >= top && y <= bottom;
    const bool onPlot = alongBottom && alongLeft;
    const bool onLeftTicks = alongLeft && x >= left - AxisStyle::TickStrip && x < left;
    const bool onBottomTicks = alongBottom && y > bottom && y <= bottom + AxisStyle::TickStrip;
    return onPlot || onLeftTicks || onBottomTicks;
}

void TZoomPan::StartZoom(int x, int y) {
    fZooming = true;
    fX0 = fX1 = x;
    fY0 = fY1 = y;
}

bool TZoomPan::MoveZoom(int x, int y) {
    if (!fZooming || (x == fX1 && y == fY1))
        return false;
    fX1 = x;
    fY1 = y;
    return true;
}

TZoomPan::TZoomOutcome TZoomPan::EndZoom(int x, int y) {
    if (!fZooming)
        return TZoomOutcome::Nothing;
    fZooming = false;
    fX1 = x;
    fY1 = y;
    if (std::abs(fX1 - fX0) <= MinimumPixels || std::abs(fY1 - fY0) <= MinimumPixels)
        return TZoomOutcome::Nothing;
    if (fX1 > fX0) {
        Zoom(std::min(fX0, fX1), std::min(fY0, fY1), std::max(fX0, fX1), std::max(fY0, fY1));
        return TZoomOutcome::Zoomed;
    }
    UndoZoom();
    return TZoomOutcome::Undone;
}

void TZoomPan::Zoom(int left, int top, int right, int bottom) {
    // Every end is converted with the ranges in force before any of them changes.
    const double bottomMin = Bottom().PixelToValue(left);
    const double bottomMax = Bottom().PixelToValue(right);
    const double topMin = Top().PixelToValue(left);
    const double topMax = Top().PixelToValue(right);
    const double leftMin = Left().PixelToValue(bottom);
    const double leftMax = Left().PixelToValue(top);
    const double rightMin = Right().PixelToValue(bottom);
    const double rightMax = Right().PixelToValue(top);
    SaveScales();
    Left().SetMinMax(leftMin, leftMax);
    Right().SetMinMax(rightMin, rightMax);
    Bottom().SetMinMax(bottomMin, bottomMax);
    Top().SetMinMax(topMin, topMax);
}

void TZoomPan::StartPan(int x, int y) {
    fPanning = true;
    fX1 = x;
    fY1 = y;
}

// Every move shifts the ranges from where the previous move left them, whether or not the chart
// was redrawn in between: the shift depends only on the pixel distance and on the ranges' widths,
// which a pan never changes, so the content keeps its grip on the pointer even when several moves
// arrive before one paint.
bool TZoomPan::MovePan(int x, int y) {
    if (!fPanning || (x == fX1 && y == fY1))
        return false;
    SaveScales();
    bool moved = false;
    auto shift = [&moved](TChartAxis& axis, int from, int to) {
        const double d = axis.PixelToValue(from) - axis.PixelToValue(to);
        const double oldMin = axis.Minimum();
        const double oldMax = axis.Maximum();
        axis.SetMinMax(oldMin + d, oldMax + d);
        moved = moved || axis.Minimum() != oldMin || axis.Maximum() != oldMax;
    };
    if (x != fX1) {
        shift(Bottom(), fX1, x);
        shift(Top(), fX1, x);
    }
    if (y != fY1) {
        shift(Left(), fY1, y);
        shift(Right(), fY1, y);
    }
    fX1 = x;
    fY1 = y;
    return moved;
}

int TZoomPan::Wheel(int delta) {
    fWheelDelta += delta;
    int notches = 0;
    while (fWheelDelta >= WheelNotch) {
        fWheelDelta -= WheelNotch;
        WheelScroll(+1);
        ++notches;
    }
    while (fWheelDelta <= -WheelNotch) {
        fWheelDelta += WheelNotch;
        WheelScroll(-1);
        --notches;
    }
    return notches;
}

void TZoomPan::WheelScroll(int direction) {
    SaveScales();
    for (TChartAxis* axis : {&Left(), &Right()}) {
        // Width × 3 × 0.01, multiplied in that order: one notch up on 0..255 then moves the range
        // by exactly 7.65, where the width times a precomputed 0.03 gives 7.6499999999999995.
        const double offset = axis->Range() * WheelPercent * 0.01;
        axis->Scroll(direction > 0 ? offset : -offset);
    }
}
