// What the step clock and the pitch mean in hertz: 256 steps make one period of the output.
#pragma once

#include <algorithm>

namespace Frequency {

constexpr int StepsPerPeriod = 256;
// The step clock never ticks more often than this, whatever interval it is given.
constexpr int ShortestIntervalMs = 10;

// Steps a second of a step clock with this interval; an interval of 0 gives no ticks.
constexpr double StepsPerSecond(int intervalMs) {
    if (intervalMs <= 0)
        return 0;
    return 1000.0 / std::max(ShortestIntervalMs, intervalMs);
}

// The output's frequency: 100 steps a second give 100 / 256 = 0.39 Hz; stopped, nothing.
constexpr double OutputFrequency(int intervalMs, bool running) {
    return running ? StepsPerSecond(intervalMs) / StepsPerPeriod : 0;
}

// The step rate a generator needs for a pitch.
constexpr double StepRateForPitch(double pitchHz) {
    return pitchHz * StepsPerPeriod;
}

} // namespace Frequency
