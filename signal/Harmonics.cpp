#include "signal/Harmonics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int N = 256;

// A fundamental smaller than this (in Samples) is rounding noise of a table that has none; an
// 8-bit table with a real fundamental has one many orders of magnitude larger.
constexpr double NoFundamental = 1e-9;

double Sinc(double x) {
    if (x == 0)
        return 1;
    const double px = std::numbers::pi * x;
    return std::sin(px) / px;
}

// The weight is the factor every harmonic's amplitude is multiplied by on the way out.
template <typename TWeight> TSpectrum Analyse(const TWaveTable& table, TWeight weight) {
    const TTableDft dft = TableDft(table);
    TSpectrum result;
    result.dc = dft[0].real();

    double distortion = 0;
    double fundamental = 0;
    for (int m = 1; m <= TSpectrum::CountedHarmonics; ++m) {
        const double amplitude = 2 * std::abs(HeldHarmonic(dft, m)) * weight(m);
        if (m == 1)
            fundamental = amplitude;
        else
            distortion += amplitude * amplitude;
        if (m <= TSpectrum::ShownHarmonics)
            result.amplitude[m] = amplitude;
    }

    const bool hasFundamental = fundamental >= NoFundamental;
    for (int m = 1; m <= TSpectrum::ShownHarmonics; ++m) {
        double level = TSpectrum::FloorDb;
        if (hasFundamental && result.amplitude[m] > 0)
            level = std::max(level, 20 * std::log10(result.amplitude[m] / fundamental));
        result.levelDb[m] = level;
    }
    if (hasFundamental)
        result.thdPercent = 100 * std::sqrt(distortion) / fundamental;
    return result;
}

} // namespace

TTableDft TableDft(const TWaveTable& table) {
    // The twiddles indexed by k n mod 256, so that every product uses one of 256 exact-as-possible
    // roots of unity instead of a cosine of a large, rounded angle.
    static const std::array<std::complex<double>, N> roots = [] {
        std::array<std::complex<double>, N> r{};
        for (int i = 0; i < N; ++i)
            r[i] = std::polar(1.0, -2 * std::numbers::pi * i / N);
        return r;
    }();
    TTableDft dft{};
    for (int k = 0; k < N; ++k) {
        std::complex<double> sum = 0;
        for (int n = 0; n < N; ++n)
            sum += static_cast<double>(table[n]) * roots[(k * n) % N];
        dft[k] = sum / static_cast<double>(N);
    }
    return dft;
}

std::complex<double> HeldHarmonic(const TTableDft& dft, int m) {
    const int k = ((m % N) + N) % N;
    const double x = static_cast<double>(m) / N;
    return dft[k] * Sinc(x) * std::polar(1.0, -std::numbers::pi * x);
}

TSpectrum StairsSpectrum(const TWaveTable& table) {
    return Analyse(table, [](int) { return 1.0; });
}

TSpectrum FilteredSpectrum(const TWaveTable& table, const TReconstructionFilter& filter) {
    return Analyse(table, [&](int m) { return filter.Gain(static_cast<double>(m) / N); });
}
