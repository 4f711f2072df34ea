#include "signal/Reconstruction.h"

#include <algorithm>
#include <cmath>

namespace {

using TState = TReconstructionFilter::TState;

// One pass over the table from `start`; returns the state after the last step.
TState RunPeriod(const TWaveTable& table, const TReconstructionFilter::TStretch& step, TState start,
                 std::array<TState, 256>* states) {
    TState state = start;
    for (int n = 0; n < 256; ++n) {
        if (states)
            (*states)[n] = state;
        TReconstructionFilter::Advance(step, 1, table[n], state);
    }
    return state;
}

} // namespace

// The filter is linear, so a period maps the start state x to P^256 x + r, where r is where a
// period from rest ends. The periodic start solves (I - P^256) x = r; P^256 is the filter's own
// relaxation over 256 steps, taken from its closed form rather than as a power.
TReconstruction::TReconstruction(const TWaveTable& table, double cutoffPerStep)
    : fTable(table), fFilter(cutoffPerStep), fStates{} {
    const auto step = fFilter.Stretch(1);
    const TState r = RunPeriod(fTable, step, {}, nullptr);
    const auto period = fFilter.Stretch(256);
    const double a = 1 - period.relax[0][0], b = -period.relax[0][1];
    const double c = -period.relax[1][0], d = 1 - period.relax[1][1];
    const double det = a * d - b * c;
    const TState start{(d * r.output - b * r.slope) / det, (a * r.slope - c * r.output) / det};
    RunPeriod(fTable, step, start, &fStates);
}

double TReconstruction::At(double steps) const {
    const int n = std::clamp(static_cast<int>(std::floor(steps)), 0, 255);
    return TReconstructionFilter::OutputAfter(fFilter.Stretch(steps - n), fStates[n], fTable[n]);
}

std::vector<double> TReconstruction::Curve(int pointsPerStep) const {
    std::vector<double> curve;
    if (pointsPerStep <= 0)
        return curve;
    curve.reserve(256 * static_cast<std::size_t>(pointsPerStep));
    std::vector<TReconstructionFilter::TStretch> within;
    for (int i = 0; i < pointsPerStep; ++i)
        within.push_back(fFilter.Stretch(static_cast<double>(i) / pointsPerStep));
    for (int n = 0; n < 256; ++n) {
        for (const auto& s : within)
            curve.push_back(TReconstructionFilter::OutputAfter(s, fStates[n], fTable[n]));
    }
    return curve;
}
