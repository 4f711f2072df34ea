// What the mouse does to the chart's axis ranges: the zoom drag and its undo, the pan drag, the
// wheel, and the ranges saved before the first of them. Plain C++ over the four axes; the chart
// widget feeds it pointer positions in its own pixels and draws the rubber band.
#pragma once

#include "chart/Axis.h"

#include <array>
#include <vector>

// One axis's range and automatic flags, as they were before the first zoom, pan or wheel notch.
struct TAxisSavedScales {
    bool Auto = false;
    bool AutoMin = false;
    bool AutoMax = false;
    double Min = 0;
    double Max = 0;
};

// One entry per axis, in the order bottom, top, left, right; empty while nothing is saved.
using TAllAxisSavedScales = std::vector<TAxisSavedScales>;

class TZoomPan {
public:
    // A zoom drag counts only when it spans more than this many pixels in both directions.
    static constexpr int MinimumPixels = 16;
    // Each wheel notch shifts the vertical ranges by this many per cent of their width.
    static constexpr int WheelPercent = 3;
    // Wheel units per notch.
    static constexpr int WheelNotch = 120;

    enum class TZoomOutcome { Nothing, Zoomed, Undone };

    TZoomPan(TChartAxis& bottom, TChartAxis& top, TChartAxis& left, TChartAxis& right)
        : fAxes{&bottom, &top, &left, &right} {}

    // True while the axes show what an undo would give them, so that nothing is saved.
    bool RestoredAxisScales() const { return fRestoredAxisScales; }
    const TAllAxisSavedScales& SavedScales() const { return FSavedScales; }

    // Saves all four ranges unless they are saved already: the saved ones keep the state before
    // the first change.
    void SaveScales();
    // Puts the saved ranges back as they were stored, bypassing the setters' checks.
    void UndoZoom();

    // True where a press starts a drag: on the plot rectangle (as the shown axes are laid out),
    // edges included, or on the tick strip just outside either shown axis.
    bool PressCounts(int x, int y) const;

    bool Zooming() const { return fZooming; }
    bool Panning() const { return fPanning; }

    // Zoom drag. The corner follows the pointer unclamped; MoveZoom tells whether it moved.
    void StartZoom(int x, int y);
    bool MoveZoom(int x, int y);
    TZoomOutcome EndZoom(int x, int y);
    // Ends the zoom drag without zooming or undoing.
    void CancelZoom() { fZooming = false; }
    int X0() const { return fX0; }
    int Y0() const { return fY0; }
    int X1() const { return fX1; }
    int Y1() const { return fY1; }

    // Shows the pixel rectangle (which may reach beyond the plot rectangle) across the whole plot
    // rectangle.
    void Zoom(int left, int top, int right, int bottom);

    // Pan drag. MovePan tells whether any range moved.
    void StartPan(int x, int y);
    bool MovePan(int x, int y);
    void EndPan() { fPanning = false; }

    // Adds wheel movement (positive away from the user) and acts once per whole notch, keeping the
    // remainder. Returns the notches acted on, signed.
    int Wheel(int delta);

private:
    TChartAxis& Bottom() const { return *fAxes[0]; }
    TChartAxis& Top() const { return *fAxes[1]; }
    TChartAxis& Left() const { return *fAxes[2]; }
    TChartAxis& Right() const { return *fAxes[3]; }
    void WheelScroll(int direction);

    std::array<TChartAxis*, 4> fAxes; // bottom, top, left, right
    bool fRestoredAxisScales = true;
    TAllAxisSavedScales FSavedScales;

    bool fZooming = false;
    bool fPanning = false;
    int fX0 = 0;
    int fY0 = 0;
    int fX1 = 0;
    int fY1 = 0;
    long long fWheelDelta = 0; // wheel units not yet acted on
};
