// The trace as a stair-step line in pixels: which points a redraw shows, and the horizontal and
// vertical strokes that draw them. Plain C++, shared by every rendering of the trace.
#pragma once

#include "chart/Axis.h"
#include "chart/Series.h"

#include <algorithm>
#include <cmath>

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

namespace StairDetail {
// The strokes of the points begin..end - 1, each from the point before it.
template <typename TStroke>
void StrokesOf(const TChartSeries& series, const TChartAxis& bottom, const TChartAxis& left,
               int begin, int end, TStroke&& stroke) {
    if (begin >= end)
        return;
    TPixelPoint p = PointPixel(series, bottom, left, begin - 1);
    for (int i = begin; i < end; ++i) {
        const TPixelPoint q = PointPixel(series, bottom, left, i);
        const TPixelPoint corner{q.x, p.y};
        stroke(p, corner);
        stroke(corner, q);
        p = q;
    }
}

// The first i in begin..end - 1 for which before(i) is false, or end, where before holds up to
// some i and not after it.
template <typename TBefore> int Bisect(int begin, int end, TBefore before) {
    while (begin < end) {
        const int middle = begin + (end - begin) / 2;
        if (before(middle))
            begin = middle + 1;
        else
            end = middle;
    }
    return begin;
}
} // namespace StairDetail

// Calls stroke(from, to) for every stroke of the visible steps, in drawing order: for each point
// a horizontal stroke at the previous level, then a vertical one up or down to the point. A trace
// of one point has no stroke. Every point's strokes start at the point before it: the first
// visible point's at the one left of the view.
template <typename TStroke>
void ForEachStroke(const TChartSeries& series, const TChartAxis& bottom, const TChartAxis& left,
                   TStroke&& stroke) {
    const TVisibleSpan span = VisibleSpan(series.XValues(), bottom.Minimum(), bottom.Maximum());
    if (span.Empty())
        return;
    StairDetail::StrokesOf(series, bottom, left, std::max(span.first, 1), span.last + 1, stroke);
}

// Whether the bottom axis maps a larger X never to a pixel further left.
inline bool MapsXInOrder(const TChartAxis& bottom) {
    const double range = bottom.Range();
    return bottom.Length() > 0 && range > 1e-12 && std::isfinite(range);
}

// The same strokes, in the same order, less those that touch no pixel corner in firstX..lastX:
// where the bottom axis maps X in order, a point's strokes span the corners from the point before
// it to its own, and the points whose strokes reach that range are found by bisection.
template <typename TStroke>
void ForEachStrokeTouching(const TChartSeries& series, const TChartAxis& bottom,
                           const TChartAxis& left, int firstX, int lastX, TStroke&& stroke) {
    const TVisibleSpan span = VisibleSpan(series.XValues(), bottom.Minimum(), bottom.Maximum());
    if (span.Empty())
        return;
    int begin = std::max(span.first, 1);
    int end = span.last + 1;
    if (MapsXInOrder(bottom)) {
        const auto x = [&](int i) { return bottom.ValueToPixel(series.XValues()[i]); };
        begin = StairDetail::Bisect(begin, end, [&](int i) { return x(i) < firstX; });
        end = StairDetail::Bisect(begin, end, [&](int i) { return x(i - 1) <= lastX; });
    }
    StairDetail::StrokesOf(series, bottom, left, begin, end, stroke);
}
