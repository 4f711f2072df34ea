#include "signal/ReconstructionFilter.h"

#include <cmath>
#include <numbers>

// H(s) = w^2 / (s^2 + sqrt2 w s + w^2) in the states (y, y'):
//   A = [[0, 1], [-w^2, -sqrt2 w]],  B = [0, w^2],  C = [1, 0].
// Its DC gain is 1, so with the input u held the state comes to rest at (u, 0) and the deviation
// e = x - (u, 0) obeys e' = A e. With the poles a +- jb (a = -w/sqrt2, b = w/sqrt2),
//   e^{At} = e^{at} [cos(bt) I + sin(bt)/b (A - aI)],   A - aI = [[-a, 1], [-w^2, a]].
TReconstructionFilter::TReconstructionFilter(double cutoffPerStep)
    : fCutoff(cutoffPerStep), fOmega(2 * std::numbers::pi * cutoffPerStep),
      fDecay(-fOmega / std::numbers::sqrt2), fRinging(fOmega / std::numbers::sqrt2) {}

TReconstructionFilter::TStretch TReconstructionFilter::Stretch(double steps) const {
    const double envelope = std::exp(fDecay * steps);
    const double c = envelope * std::cos(fRinging * steps);
    const double s = envelope * std::sin(fRinging * steps);
    // -a / b = 1 for the Butterworth poles, which is all the diagonal needs.
    TStretch result{};
    result.relax[0][0] = c + s;
    result.relax[0][1] = s / fRinging;
    result.relax[1][0] = -fOmega * fOmega * s / fRinging;
    result.relax[1][1] = c - s;

    // The integrals of e^{at} cos(bt) and e^{at} sin(bt) over the stretch are the real and
    // imaginary parts of (z - 1) / (a + jb), z = e^{(a + jb) steps}, and |a + jb|^2 = w^2.
    const double re = c - 1;
    const double im = s;
    const double w2 = fOmega * fOmega;
    const double cosIntegral = (re * fDecay + im * fRinging) / w2;
    const double sinIntegral = (im * fDecay - re * fRinging) / w2;
    result.outputIntegral[0] = cosIntegral + sinIntegral;
    result.outputIntegral[1] = sinIntegral / fRinging;
    return result;
}

double TReconstructionFilter::Advance(const TStretch& stretch, double steps, double input,
                                      TState& state) {
    const double e0 = state.output - input;
    const double e1 = state.slope;
    const double integral =
        input * steps + stretch.outputIntegral[0] * e0 + stretch.outputIntegral[1] * e1;
    state.output = input + stretch.relax[0][0] * e0 + stretch.relax[0][1] * e1;
    state.slope = stretch.relax[1][0] * e0 + stretch.relax[1][1] * e1;
    return integral;
}

double TReconstructionFilter::OutputAfter(const TStretch& stretch, const TState& state,
                                          double input) {
    return input + stretch.relax[0][0] * (state.output - input) + stretch.relax[0][1] * state.slope;
}

double TReconstructionFilter::Gain(double cyclesPerStep) const {
    const double ratio = cyclesPerStep / fCutoff;
    return 1 / std::sqrt(1 + ratio * ratio * ratio * ratio);
}
