#include "chart/AxisLabels.h"

#include "chart/Numeric.h"

#include <algorithm>
#include <cmath>

namespace AxisLabels {

namespace {
// Below this the range counts as empty, and the smallest step an axis is ever given.
constexpr double Epsilon = 1e-12;
// Beyond this ratio of range to step, the number of steps no longer fits a label count.
constexpr double MaxStepCount = 2147483647;
} // namespace

double NextLadderStep(double x) {
    // Not a step at all: start the ladder afresh rather than climb forever.
    if (!(x > 0) || std::isinf(x))
        return 1;
    // Scale into 1 <= x < 10 by the same multiplications and divisions as taking a tenth of the
    // next step after 10 x (or ten times the next step after x / 10), one decade at a time.
    int decadesUp = 0;
    int decadesDown = 0;
    while (x >= 10) {
        x /= 10;
        ++decadesUp;
    }
    while (x < 1) {
        x *= 10;
        ++decadesDown;
    }
    double next = x < 2 ? 2 : x < 5 ? 5 : 10;
    for (; decadesUp > 0; --decadesUp)
        next *= 10;
    for (; decadesDown > 0; --decadesDown)
        next /= 10;
    return next;
}

int RoomCount(int axisLength, int labelSize) {
    if (labelSize <= 0 || axisLength <= 0)
        return 1;
    const double separation = RoundHalfEven(labelSize * LabelsSeparation / 100.0);
    return static_cast<int>(RoundHalfEven(axisLength / (labelSize + separation)));
}

namespace {
// The step the search for a label step starts from.
double FirstStep(double range, int room) {
    return std::fabs(range) <= Epsilon ? 1 : std::fabs(range) / (room + 1);
}
} // namespace

std::optional<int> ShortTraceLimit(double minimum, double maximum, int axisLength, int labelSize) {
    const double range = maximum - minimum;
    const int room = RoomCount(axisLength, labelSize);
    if (room < 1 || !(range >= 1.1) || !(FirstStep(range, room) < 1))
        return std::nullopt;
    return room;
}

double LabelStep(double minimum, double maximum, int axisLength, int labelSize,
                 std::optional<int> tracePoints) {
    const double range = maximum - minimum;
    const int room = RoomCount(axisLength, labelSize);
    if (room < 1)
        return Epsilon;

    double step = FirstStep(range, room);
    // A short trace is labelled at whole indices: there is nothing between its points.
    if (tracePoints) {
        const std::optional<int> limit = ShortTraceLimit(minimum, maximum, axisLength, labelSize);
        if (limit && *tracePoints <= *limit)
            step = 1;
    }

    double count = room + 1;
    for (;;) {
        const double ratio = range / step;
        if (std::fabs(ratio) < MaxStepCount) {
            count = RoundHalfEven(ratio);
            if (count > room)
                step = NextLadderStep(step);
        } else {
            step = NextLadderStep(step);
        }
        if (count <= room || step > range || std::isinf(step))
            break;
    }
    if (std::isinf(step))
        return range;
    return std::max(step, Epsilon);
}

std::vector<double> LabelledValues(double minimum, double maximum, double step) {
    std::vector<double> values;
    const double range = maximum - minimum;
    if (!(std::fabs(range / step) < MaxLabelSteps))
        return values;

    double q = SameValue(minimum, maximum) ? maximum : std::trunc(maximum / step) * step;
    while (q > maximum) {
        const double lower = q - step;
        if (lower == q) // the step is lost in the magnitude: subtracting it would never end
            break;
        q = lower;
    }
    if (std::fabs(range) <= Epsilon || SameValue(minimum, maximum) || SameValue(q - step, q)) {
        values.push_back(q);
        return values;
    }

    // A hair below a non-negative minimum, so that a label landing on it by a rounding error
    // above the exact value is kept.
    const double bound = minimum >= 0 ? (minimum - Epsilon) / (1 + Epsilon) : minimum;
    // From the top down by repeated subtraction; the three decimals of the text hide the
    // rounding errors this builds up.
    for (; q >= bound; q -= step)
        values.push_back(q);
    return values;
}

std::vector<double> AxisLabelValues(double minimum, double maximum, int axisLength, int labelSize,
                                    std::optional<int> tracePoints) {
    // An axis without room for one label shows none, whatever its range; the tiny step alone
    // would still label ranges narrower than 10000 such steps.
    if (RoomCount(axisLength, labelSize) < 1)
        return {};
    return LabelledValues(minimum, maximum,
                          LabelStep(minimum, maximum, axisLength, labelSize, tracePoints));
}

std::array<double, 3> SizingValues(double minimum, double maximum) {
    double middle = (minimum + maximum) / 2;
    // A whole midpoint is narrower than most labels of the range: halve it until it has decimals.
    while (std::isfinite(middle) && middle != 0 && middle == std::trunc(middle))
        middle /= 2;
    return {minimum, maximum, middle};
}

std::vector<int> MinorTickPixels(const std::vector<int>& labelPixels, int start, int end) {
    std::vector<int> ticks;
    if (labelPixels.size() < 2)
        return ticks;
    constexpr int parts = MinorTickCount + 1;
    const int low = std::min(start, end);
    const int high = std::max(start, end);
    // The ticks from a label at pixel from towards the next one, distance pixels away.
    const auto interval = [&](int from, int distance) {
        for (int k = 1; k < parts; ++k) {
            const int pixel = from + static_cast<int>(RoundHalfEven(double(distance) * k / parts));
            if (low < pixel && pixel < high)
                ticks.push_back(pixel);
        }
    };
    const int spacing = labelPixels[1] - labelPixels[0];
    interval(labelPixels.front(), -spacing);
    for (std::size_t i = 0; i + 1 < labelPixels.size(); ++i)
        interval(labelPixels[i], labelPixels[i + 1] - labelPixels[i]);
    interval(labelPixels.back(), spacing);
    return ticks;
}

QString FormatLabel(double value, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    QString text = grouped.toString(value, 'f', 3);

    const QString point = grouped.decimalPoint();
    const QString zero = grouped.zeroDigit();
    if (text.contains(point)) {
        while (text.endsWith(zero))
            text.chop(zero.size());
        if (text.endsWith(point))
            text.chop(point.size());
    }
    // A value that rounds to zero is zero, whatever side of it the subtractions ended on.
    if (text == grouped.negativeSign() + zero)
        text = zero;
    return text;
}

} // namespace AxisLabels
