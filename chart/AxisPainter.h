// Draws the two shown axes onto the chart's picture as the chart's layout places them: grid, axis
// lines, ticks and labels, under the trace.
#pragma once

#include "chart/ChartLayout.h"

class QPainter;

void DrawAxes(QPainter& painter, const TChartLayout& layout);
