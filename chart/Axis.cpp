#include "chart/Axis.h"

#include "chart/ChartError.h"
#include "chart/Numeric.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
// Far beyond any screen, and small enough that strokes ending there still rasterise exactly.
constexpr double PixelLimit = 1.0e6;
} // namespace

void TChartAxis::SetMaximum(double value) {
    if (std::isnan(value) || fMinimum > value)
        throw EChartException(MaximumError);
    Store(fMaximum, value);
}

void TChartAxis::SetMinimum(double value) {
    if (std::isnan(value) || value > fMaximum)
        throw EChartException(MinimumError);
    Store(fMinimum, value);
}

void TChartAxis::SetMinMax(double aMin, double aMax) {
    Automatic = AutomaticMinimum = AutomaticMaximum = false;
    // A range with a non-finite end could not be drawn or mapped back: keep the current one.
    if (!std::isfinite(aMin) || !std::isfinite(aMax))
        return;
    if (aMin >= aMax)
        std::swap(aMin, aMax);
    Store(fMinimum, aMin);
    Store(fMaximum, aMax);
    if (SameValue(fMinimum, fMaximum)) {
        Store(fMinimum, fMinimum - 1e-10);
        Store(fMaximum, fMaximum + 1e-10);
    }
}

void TChartAxis::Scroll(double offset) {
    Automatic = AutomaticMinimum = AutomaticMaximum = false;
    if (std::isfinite(fMinimum + offset) && std::isfinite(fMaximum + offset)) {
        fMinimum += offset;
        fMaximum += offset;
    }
    Changed();
}

void TChartAxis::StoreRange(double minimum, double maximum) {
    Store(fMinimum, minimum);
    Store(fMaximum, maximum);
}

int TChartAxis::ValueToPixel(double value) const {
    const double range = Range();
    const int length = Length();
    if (std::fabs(range) <= 1e-12)
        return fStart + length / 2;
    const double offset = RoundHalfEven((value - fMinimum) * length / range);
    const double pixel = Horizontal() ? fStart + offset : fEnd - offset;
    if (std::isnan(pixel))
        return fStart;
    return static_cast<int>(std::clamp(pixel, -PixelLimit, PixelLimit));
}

double TChartAxis::PixelToValue(double pixel) const {
    const int length = Length();
    if (length < 1)
        return 0;
    const double a = (pixel - fStart) * Range() / length;
    return Horizontal() ? fMinimum + a : fMaximum - a;
}

void TChartAxis::Store(double& end, double value) {
    if (end == value)
        return;
    end = value;
    Changed();
}

void TChartAxis::Changed() {
    if (OnChange)
        OnChange();
}
