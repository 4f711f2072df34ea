// The measures of the two shown axes that both their drawing and the mouse handling go by.
#pragma once

namespace AxisStyle {
constexpr int AxisLineWidth = 2;
constexpr int TickLength = 4;
constexpr int MinorTickLength = 2;
// From the plot rectangle's edge outward: the axis line, one pixel, and the major ticks. The
// labels' band begins beyond this strip, and a press on it still starts a drag.
constexpr int TickStrip = AxisLineWidth + 1 + TickLength;
} // namespace AxisStyle
