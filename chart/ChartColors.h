// Colours that more than one part of the chart draws with.
#pragma once

#include <QColor>

namespace ChartColors {
// The grid lines, and the rubber band's outline where it crosses the background.
constexpr QRgb Silver = qRgb(192, 192, 192);
} // namespace ChartColors
