// Draws the trace onto the chart's picture: its pen, its clip, and two renderings of the same
// strokes. DrawTrace is the chart's own: strokes that fall on one pixel column are merged into a
// few filled runs, and DrawTraceWithin redraws some columns of it alone. DrawTraceStrokeByStroke
// strokes every line literally; it is the reference the first is compared and measured against.
#pragma once

#include "chart/Axis.h"
#include "chart/Series.h"
#include "chart/StairGeometry.h"

#include <QColor>
#include <QImage>
#include <QRect>

namespace TraceStyle {
// LinePen: opaque, solid, rounded ends; device pixels at any density. Both renderings draw with
// this width unless given another.
constexpr QRgb Color = qRgb(68, 102, 163);
constexpr int Width = 3;
} // namespace TraceStyle

// Where the trace may draw: from one pixel right of the plot rectangle's left edge to its right
// edge, and from one pixel above its top edge to one pixel below its bottom edge, so that the
// strokes at the lowest and highest Sample show in full while the left axis line stays clear.
QRect TraceClipRect(const QRect& plot);

// Both draw onto picture, on which no painter may be active, with a pen penWidth pixels wide.
void DrawTrace(QImage& picture, const QRect& plot, const TChartSeries& series,
               const TChartAxis& bottom, const TChartAxis& left, int penWidth = TraceStyle::Width);

// The same trace, drawn only within area: every pixel there comes out as DrawTrace gives it, and
// no pixel elsewhere is written. A few columns of a long trace cost a few strokes.
void DrawTraceWithin(QImage& picture, const QRect& area, const QRect& plot,
                     const TChartSeries& series, const TChartAxis& bottom, const TChartAxis& left,
                     int penWidth = TraceStyle::Width);

// The pixels that appending a step from `from` to `to` (its level stroke and its rise) can change
// in a drawing of the trace: those its strokes ink, with the pen's reach around them. In every
// column the strokes form one connected piece, and the new ones join the old at `from`, so what
// the column's runs gain lies among the rows the new strokes ink.
QRect TraceStepArea(const QRect& plot, TPixelPoint from, TPixelPoint to,
                    int penWidth = TraceStyle::Width);

void DrawTraceStrokeByStroke(QImage& picture, const QRect& plot, const TChartSeries& series,
                             const TChartAxis& bottom, const TChartAxis& left,
                             int penWidth = TraceStyle::Width);
