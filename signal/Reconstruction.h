// One period of the DAC's output after the reconstruction filter, in steady state: the table
// repeated for ever, as the filter sees it once every start-up transient has died away.
#pragma once

#include "engine/WaveTables.h"
#include "signal/ReconstructionFilter.h"

#include <array>
#include <vector>

class TReconstruction {
public:
    // cutoffPerStep is the filter's cutoff as a fraction of the step rate.
    TReconstruction(const TWaveTable& table, double cutoffPerStep);

    // The filtered output at `steps` after the start of step 0, for 0 <= steps <= 256.
    double At(double steps) const;

    // The filtered output at pointsPerStep evenly spaced times per step, starting at the start of
    // step 0: 256 * pointsPerStep values in Samples, for drawing over the stairs.
    std::vector<double> Curve(int pointsPerStep) const;

    // The filter's state at the start of each step.
    const std::array<TReconstructionFilter::TState, 256>& StepStates() const { return fStates; }

    const TReconstructionFilter& Filter() const { return fFilter; }

private:
    TWaveTable fTable;
    TReconstructionFilter fFilter;
    std::array<TReconstructionFilter::TState, 256> fStates;
};
