// The low-pass after the DAC: a second-order Butterworth filter driven by the held output and
// solved exactly. Between two steps the input is constant, so the state relaxes towards it along
// the filter's matrix exponential, which has a closed form; there is no integrator with a step of
// its own.
#pragma once

// Time is measured in steps of the held input, so one filter serves any step rate: its cutoff is a
// fraction of the step rate (cycles per step).
class TReconstructionFilter {
public:
    explicit TReconstructionFilter(double cutoffPerStep);

    // The output and its derivative (per step). Both stay continuous when the cutoff changes, which
    // is why the filter keeps this pair rather than a difference equation's past samples.
    struct TState {
        double output = 0;
        double slope = 0;
    };

    // What a stretch of constant input does: the state's deviation from rest at the input is
    // multiplied by `relax`, and `outputIntegral` turns the deviation at the start into the
    // integral of the output's deviation over the stretch.
    struct TStretch {
        double relax[2][2];
        double outputIntegral[2];
    };

    // Any duration >= 0 in steps; costs one exponential and one sine/cosine pair.
    TStretch Stretch(double steps) const;

    // Runs the filter over a stretch of `steps` (made by Stretch(steps)) with `input` held and
    // returns the integral of the output over it, in input units times steps.
    static double Advance(const TStretch& stretch, double steps, double input, TState& state);

    // The output at the end of the stretch from `state` with `input` held, without moving the
    // state: for drawing the curve between steps.
    static double OutputAfter(const TStretch& stretch, const TState& state, double input);

    // |H| at a frequency in cycles per step: 1 / sqrt(1 + (f / fc)^4).
    double Gain(double cyclesPerStep) const;

    double CutoffPerStep() const { return fCutoff; }

private:
    double fCutoff;
    double fOmega;   // the cutoff in radians per step
    double fDecay;   // real part of the poles, -omega / sqrt 2
    double fRinging; // imaginary part, omega / sqrt 2
};
