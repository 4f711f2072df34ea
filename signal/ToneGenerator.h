// Plays a wave table as the generator would: an 8-bit pointer stepped at pitch x 256 steps a
// second, each Sample held for one step, optionally through the reconstruction filter. Rendered
// exactly: every output sample is the mean of the held (or filtered) signal over its interval,
// split at the step boundaries inside it, which also keeps the stairs' images above the output's
// Nyquist frequency from folding back as loud inharmonic tones.
#pragma once

#include "engine/WaveTables.h"
#include "signal/LatestValue.h"
#include "signal/ReconstructionFilter.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <span>

class TToneGenerator {
public:
    static constexpr double MinimumPitch = 55;
    static constexpr double MaximumPitch = 1760;
    static constexpr double MinimumCutoff = 0.05;
    static constexpr double MaximumCutoff = 0.5;
    // How long a change of volume, of on/off, of table or of filter takes: long enough not to
    // click, short enough to feel immediate.
    static constexpr double RampSeconds = 0.010;

    // SIN at 220 Hz, volume 0.5, held stairs (cutoff 0.1 once the filter is chosen), off.
    TToneGenerator();

    // Settings, from one interface thread at any time, also while the audio thread plays. Each
    // takes effect at the next 32 output samples at the latest. Out-of-range values are clamped,
    // NaN is ignored.
    void SetTable(const TWaveTable& table);
    void SetPitch(double hertz);
    void SetVolume(double volume); // 0..1 of the level the tables play at (half of full scale)
    void SetThroughFilter(bool through);
    void SetCutoff(double fractionOfStepRate);
    void SetOn(bool on); // off fades out
    // Off and faded out completely: what comes out now is exact zeros.
    bool Silent() const { return fSilent.load(std::memory_order_acquire); }

    // The audio thread. Process() allocates nothing, takes no lock and may be given blocks of up
    // to maxBlockSize samples (mono, -1..1). Prepare() starts from silence.
    void Prepare(double sampleRate, int maxBlockSize);
    void Process(std::span<float> block);
    void Reset();

private:
    struct TSettings {
        std::atomic<double> pitch{220};
        std::atomic<double> volume{0.5};
        std::atomic<double> cutoff{0.1};
        std::atomic<bool> throughFilter{false};
        std::atomic<bool> on{false};
    };

    // Everything the audio thread keeps between samples.
    struct TVoice {
        std::uint8_t pointer = 0;
        double withinStep = 0; // how far into the current step, 0..1
        // A new table fades in over the old one: held value = from + tableMix (to - from).
        std::array<double, 256> from{};
        std::array<double, 256> to{};
        double fromDc = 0;
        double toDc = 0;
        double tableMix = 1;
        TReconstructionFilter::TState filter;
        bool filterRunning = false;
        double filterMix = 0; // 0 stairs .. 1 filtered
        double gain = 0;      // volume, or 0 when off, reached by ramps
    };

    void ReadSettings();
    void TakeTable();
    void Retune(double pitch, double cutoff);
    float Render();
    double Held(int index) const;

    TSettings fSettings;
    TLatestValue<TWaveTable> fTables;
    std::atomic<bool> fSilent{true};

    // Set by Prepare().
    double fSampleRate = 0;
    int fMaxBlockSize = 0;
    double fRampPerSample = 0;

    // Follow the settings, on the audio thread.
    double fPitch = 0;
    double fCutoff = 0;
    double fStepsPerSample = 0;
    TReconstructionFilter fFilter{0.1};
    TReconstructionFilter::TStretch fFullStep{};
    TReconstructionFilter::TStretch fWholeSample{};
    double fGainTarget = 0;
    double fFilterTarget = 0;

    TVoice fVoice;
};
