// The trace as a stair-step line in pixels: which points a redraw shows, and the horizontal and
// vertical strokes that draw them. Plain C++, shared by every rendering of the trace.
#pragma once

#include "chart/Axis.h"
#include "chart/Series.h"

#include <algorithm>

// The points a redraw draws: first is the first point at or right of the left edge, last the
// first point at or beyond the right edge (or the last point). The line starts at the point
// before first, so that it runs in from the left edge.
struct TVisibleSpan {
    int first = 0;
    int last = -1;
    bool Empty() const { return last < first; }
};

// xL and xR are the X values at the plot rectangle's left and right edges.
TVisibleSpan VisibleSpan(const TChartValueList& x, double xL, double xR);

struct TPixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPixelPoint&, const TPixelPoint&) = default;
};

// The pixel of point i: the bottom axis maps its X, the left axis its Y.
inline TPixelPoint PointPixel(const TChartSeries& series, const TChartAxis& bottom,
                              const TChartAxis& left, int i) {
    return {bottom.ValueToPixel(series.XValues()[i]), left.ValueToPixel(series.YValues()[i])};
}

// Calls stroke(from, to) for every stroke of the visible steps, in drawing order: for each point
// a horizontal stroke at the previous level, then a vertical one up or down to the point. A trace
// of one point has no stroke.
template <typename TStroke>
void ForEachStroke(const TChartSeries& series, const TChartAxis& bottom, const TChartAxis& left,
                   TStroke&& stroke) {
    const TVisibleSpan span = VisibleSpan(series.XValues(), bottom.Minimum(), bottom.Maximum());
    if (span.Empty())
        return;
    TPixelPoint p = PointPixel(series, bottom, left, span.first > 0 ? span.first - 1 : 0);
    for (int i = std::max(span.first, 1); i <= span.last; ++i) {
        const TPixelPoint q = PointPixel(series, bottom, left, i);
        const TPixelPoint corner{q.x, p.y};
        stroke(p, corner);
        stroke(corner, q);
        p = q;
    }
}
