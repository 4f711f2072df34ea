// Where an axis puts its labels: the label step it works out from its range and the room it has,
// the values it labels, and their text. Plain functions of numbers, so that the results do not
// depend on the fonts of the machine; the painter measures the texts and passes the sizes in.
#pragma once

#include <QLocale>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace AxisLabels {

// Per cent of a label's size kept free between neighbouring labels.
constexpr int LabelsSeparation = 10;
// An axis whose range holds this many label steps or more shows no labels at all.
constexpr double MaxLabelSteps = 10000;
// Minor ticks between two neighbouring labels.
constexpr int MinorTickCount = 3;

// The smallest value of the ladder ..., 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, ... strictly above x;
// 1 for an infinite x.
double NextLadderStep(double x);

// How many labels of labelSize pixels (plus their separation) fit along axisLength pixels.
int RoomCount(int axisLength, int labelSize);

// When the length of the trace decides the bottom axis's label step: the most points a trace may
// hold to be labelled at whole steps. Empty where the step does not depend on the trace at all.
std::optional<int> ShortTraceLimit(double minimum, double maximum, int axisLength, int labelSize);

// The label step for a range shown on axisLength pixels with labels of labelSize pixels.
// tracePoints is given for the bottom axis only: a trace of no more than ShortTraceLimit points
// is never labelled at less than 1.
double LabelStep(double minimum, double maximum, int axisLength, int labelSize,
                 std::optional<int> tracePoints = std::nullopt);

// The values labelled at the given step, from the highest down.
std::vector<double> LabelledValues(double minimum, double maximum, double step);

// Both of the above: what an axis of this size labels. Empty when no label fits at all.
std::vector<double> AxisLabelValues(double minimum, double maximum, int axisLength, int labelSize,
                                    std::optional<int> tracePoints = std::nullopt);

// The three values whose texts the bottom axis measures for its label size: the ends and the
// midpoint, halved while it is a whole number other than 0.
std::array<double, 3> SizingValues(double minimum, double maximum);

// Minor tick positions for labels at labelPixels (highest value first) on an axis running from
// pixel start to end: three between neighbouring labels, and beyond the outermost labels at the
// spacing of the two highest, only strictly inside the axis.
std::vector<int> MinorTickPixels(const std::vector<int>& labelPixels, int start, int end);

// The label text "#,##0.###": grouped digits, at most three decimals, no trailing zeros, in the
// given locale's separators.
QString FormatLabel(double value, const QLocale& locale = QLocale());

} // namespace AxisLabels
