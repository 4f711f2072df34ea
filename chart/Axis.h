// The range model of one chart axis: its two ends, their checked and unchecked setters, and the
// linear mapping between values and the pixels of the side of the plot rectangle it runs along.
// Plain C++: the chart lays it out (SetPixelRange) and draws from it.
#pragma once

#include <functional>

class TChartAxis {
public:
    enum class TOrientation { Horizontal, Vertical };

    static constexpr const char* MaximumError = "Axis Maximum Value must be >= Minimum";
    static constexpr const char* MinimumError = "Axis Minimum Value must be <= Maximum";

    explicit TChartAxis(TOrientation orientation) : fOrientation(orientation) {}

    bool Horizontal() const { return fOrientation == TOrientation::Horizontal; }

    double Minimum() const { return fMinimum; }
    double Maximum() const { return fMaximum; }
    double Range() const { return fMaximum - fMinimum; }

    // Checked setters: a value on the wrong side of the other end, or NaN, throws EChartException
    // and changes nothing. Setting the value an end already has requests no redraw.
    void SetMaximum(double value);
    void SetMinimum(double value);

    // Both ends at once, unchecked: the smaller value becomes Minimum, and a range whose ends count
    // as the same value is widened by 1e-10 on either side. Clears the automatic flags.
    void SetMinMax(double aMin, double aMax);
    // Shifts both ends by offset, with no limit. Clears the automatic flags.
    void Scroll(double offset);

    // Stores both ends as they are, without any check: used while the layout loads and when
    // saved ranges are restored. Each end that changes requests a redraw.
    void StoreRange(double minimum, double maximum);

    bool Automatic = false;
    bool AutomaticMinimum = false;
    bool AutomaticMaximum = false;
    double Increment = 0; // desired label step; 0 lets the axis work it out
    bool Visible = true;

    // Pixel coordinates of the axis's ends on the plot rectangle as laid out by the last redraw:
    // left and right edge for a horizontal axis, top and bottom edge for a vertical one.
    void SetPixelRange(int start, int end) {
        fStart = start;
        fEnd = end;
    }
    int StartPixel() const { return fStart; }
    int EndPixel() const { return fEnd; }
    int Length() const { return fEnd - fStart; }

    // Value to pixel, rounded half to even. Values far outside the range are clamped well beyond
    // any screen, so that the result always fits an int.
    int ValueToPixel(double value) const;
    // Pixel to value, unrounded.
    double PixelToValue(double pixel) const;

    // Called whenever an end changes: the owning chart marks itself for a redraw.
    std::function<void()> OnChange;

private:
    void Store(double& end, double value);
    void Changed();

    TOrientation fOrientation;
    double fMinimum = 0;
    double fMaximum = 0;
    int fStart = 0;
    int fEnd = 0;
};
