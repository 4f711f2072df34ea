// The signal lab's numbers in words: what its labels show and what a screen reader reads.
#pragma once

#include <QString>
#include <optional>

namespace LabText {

// value with `digits` significant digits, in fixed notation: 48.3, 0.554, 0.00553.
QString Significant(double value, int digits);

// A harmonic's level: "-6.0 dB", or "below -120 dB" at the spectrum's floor.
QString Level(double db);

// "48.3 %", or "none" without a fundamental.
QString Thd(const std::optional<double>& percent);

// The output frequency of the step clock: "0.39 Hz at 100 steps a second" while it runs, and
// what it would be while stepping is stopped.
QString OutputFrequency(int intervalMs, bool stepping);

// The step rate a generator needs for the pitch: "56320 steps a second for 220 Hz".
QString StepRate(double pitchHz);

} // namespace LabText
