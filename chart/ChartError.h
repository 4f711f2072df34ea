// The chart's refusals: an exception carrying the message the user-facing text is built from.
#pragma once

#include <stdexcept>

class EChartException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
