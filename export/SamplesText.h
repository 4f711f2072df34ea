// The trace as text that pastes into a spreadsheet as two columns.
#pragma once

#include <span>
#include <string>

// The header line "X<Tab>Sample", then one point a line: its X, a tab, its Sample. Every line,
// the last included, ends in '\n' alone. Numbers are written in the shortest form that reads back
// as the same double, with no digit grouping and whatever the locale, so the trace's whole
// numbers read as plain integers. x and y are the trace's two columns, of the same length.
std::string SamplesText(std::span<const double> x, std::span<const double> y);
