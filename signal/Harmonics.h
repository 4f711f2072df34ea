// The harmonics of what the DAC puts out for a wave table: the table held for one step each,
// repeated every 256 steps, analysed as one period.
#pragma once

#include "engine/WaveTables.h"
#include "signal/ReconstructionFilter.h"

#include <array>
#include <complex>
#include <optional>

// X[k] = 1/256 sum_n table[n] e^{-j 2 pi k n / 256}, k = 0..255, in Samples.
using TTableDft = std::array<std::complex<double>, 256>;

TTableDft TableDft(const TWaveTable& table);

// The held output's Fourier coefficient c_m (two-sided, in Samples, time origin at the start of
// step 0): X[m mod 256] sinc(m / 256) e^{-j pi m / 256}. The hold averages each period of a
// harmonic over one step, which is the sinc, and delays it by half a step, which is the phase.
// c_0 is the table's mean: the hold leaves DC as it is.
std::complex<double> HeldHarmonic(const TTableDft& dft, int m);

struct TSpectrum {
    static constexpr int ShownHarmonics = 32;
    // THD counts harmonics 2..1024, so that the images around the first multiples of the step
    // rate count too.
    static constexpr int CountedHarmonics = 1024;
    // Levels below this are shown as this, so that an absent harmonic (SQR's even ones) is a
    // number a bar can be drawn for rather than minus infinity.
    static constexpr double FloorDb = -120;

    // The mean output in Samples.
    double dc = 0;
    // Peak amplitude of harmonic m in Samples (2 |c_m|), indexed by m; [0] is unused.
    std::array<double, ShownHarmonics + 1> amplitude{};
    // Harmonic m in dB relative to the fundamental, floored at FloorDb, indexed by m; [0] unused.
    // Without a fundamental every level is FloorDb.
    std::array<double, ShownHarmonics + 1> levelDb{};
    // sqrt(sum_{m=2..1024} amplitude_m^2) / amplitude_1 in percent; empty without a fundamental
    // (a constant table, or one that repeats itself within the period).
    std::optional<double> thdPercent;

    bool HasFundamental() const { return thdPercent.has_value(); }
};

// The stairs as the DAC puts them out.
TSpectrum StairsSpectrum(const TWaveTable& table);

// The stairs after the reconstruction filter: every harmonic times the filter's gain at it.
TSpectrum FilteredSpectrum(const TWaveTable& table, const TReconstructionFilter& filter);
