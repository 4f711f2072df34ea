#include "signal/ToneGenerator.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numeric>

static_assert(std::atomic<double>::is_always_lock_free);

namespace {

// Settings are read this often, so that a long block still follows them within a millisecond.
constexpr int SettingsInterval = 32;

// Samples 0..255 to the output: centred on the table's mean, so that the speaker sees no DC
// offset, and scaled so that a full-range table plays at half of full scale. The other half is
// headroom for tables whose mean is far from the middle (ECG) and for the filter's overshoot.
constexpr double OutputScale = 1.0 / 255.0;

double Approach(double value, double target, double step) {
    return value < target ? std::min(target, value + step) : std::max(target, value - step);
}

void StoreIfNumber(std::atomic<double>& setting, double value, double low, double high) {
    if (!std::isnan(value))
        setting.store(std::clamp(value, low, high), std::memory_order_relaxed);
}

} // namespace

TToneGenerator::TToneGenerator() {
    fTables.Publish(SinTable);
    TakeTable();
    fVoice.tableMix = 1;
}

void TToneGenerator::SetTable(const TWaveTable& table) {
    fTables.Publish(table);
}

void TToneGenerator::SetPitch(double hertz) {
    StoreIfNumber(fSettings.pitch, hertz, MinimumPitch, MaximumPitch);
}

void TToneGenerator::SetVolume(double volume) {
    StoreIfNumber(fSettings.volume, volume, 0, 1);
}

void TToneGenerator::SetThroughFilter(bool through) {
    fSettings.throughFilter.store(through, std::memory_order_relaxed);
}

void TToneGenerator::SetCutoff(double fractionOfStepRate) {
    StoreIfNumber(fSettings.cutoff, fractionOfStepRate, MinimumCutoff, MaximumCutoff);
}

void TToneGenerator::SetOn(bool on) {
    // Cleared here as well as by the audio thread's next block, so that whoever switches on and
    // then asks does not see the silence from before.
    if (on)
        fSilent.store(false, std::memory_order_release);
    fSettings.on.store(on, std::memory_order_release);
}

void TToneGenerator::Prepare(double sampleRate, int maxBlockSize) {
    fSampleRate = sampleRate;
    fMaxBlockSize = maxBlockSize;
    fRampPerSample = 1 / (RampSeconds * sampleRate);
    fPitch = 0; // nothing is tuned for this rate yet
    fCutoff = 0;
    Reset();
}

void TToneGenerator::Reset() {
    TakeTable();
    fVoice.tableMix = 1;
    fVoice.pointer = 0;
    fVoice.withinStep = 0;
    fVoice.filter = {};
    fVoice.filterRunning = false;
    fVoice.gain = 0;
    ReadSettings();
    fVoice.filterMix = fFilterTarget;
    fSilent.store(!fSettings.on.load(std::memory_order_acquire), std::memory_order_release);
}

void TToneGenerator::TakeTable() {
    const TWaveTable* table = fTables.Take();
    if (!table)
        return;
    // Whatever is playing now, a fade perhaps, becomes the table the new one fades in over.
    for (int i = 0; i < 256; ++i)
        fVoice.from[i] = Held(i);
    fVoice.fromDc = fVoice.fromDc + fVoice.tableMix * (fVoice.toDc - fVoice.fromDc);
    std::copy(table->begin(), table->end(), fVoice.to.begin());
    fVoice.toDc = std::accumulate(table->begin(), table->end(), 0.0) / 256;
    fVoice.tableMix = 0;
}

void TToneGenerator::ReadSettings() {
    TakeTable();
    Retune(fSettings.pitch.load(std::memory_order_relaxed),
           fSettings.cutoff.load(std::memory_order_relaxed));
    const bool on = fSettings.on.load(std::memory_order_acquire);
    fGainTarget = on ? fSettings.volume.load(std::memory_order_relaxed) : 0;
    fFilterTarget = fSettings.throughFilter.load(std::memory_order_relaxed) ? 1 : 0;
}

// The filter works in steps, so a new pitch changes only how many steps a sample spans; the
// pointer's position and the filter's state carry over, which keeps the phase continuous.
void TToneGenerator::Retune(double pitch, double cutoff) {
    const bool newFilter = cutoff != fCutoff;
    if (newFilter) {
        fCutoff = cutoff;
        fFilter = TReconstructionFilter(cutoff);
        fFullStep = fFilter.Stretch(1);
    }
    if (newFilter || pitch != fPitch) {
        fPitch = pitch;
        fStepsPerSample = pitch * 256 / fSampleRate;
        fWholeSample = fFilter.Stretch(fStepsPerSample);
    }
}

double TToneGenerator::Held(int index) const {
    return fVoice.from[index] + fVoice.tableMix * (fVoice.to[index] - fVoice.from[index]);
}

void TToneGenerator::Process(std::span<float> block) {
    assert(fSampleRate > 0 && static_cast<int>(block.size()) <= fMaxBlockSize);
    for (std::size_t i = 0; i < block.size(); ++i) {
        if (i % SettingsInterval == 0)
            ReadSettings();
        block[i] = Render();
    }
    fSilent.store(fVoice.gain == 0 && fGainTarget == 0, std::memory_order_release);
}

float TToneGenerator::Render() {
    TVoice& v = fVoice;
    v.gain = Approach(v.gain, fGainTarget, fRampPerSample);
    if (v.gain == 0 && fGainTarget == 0) {
        v.filterRunning = false;
        return 0;
    }
    v.tableMix = Approach(v.tableMix, 1, fRampPerSample);
    v.filterMix = Approach(v.filterMix, fFilterTarget, fRampPerSample);
    const bool filtering = v.filterMix > 0 || fFilterTarget > 0;
    if (filtering && !v.filterRunning)
        v.filter = {Held(v.pointer), 0}; // starts where the stairs are, so nothing jumps
    v.filterRunning = filtering;

    // The sample interval, in steps, cut at every step boundary inside it.
    double stairs = 0;
    double filtered = 0;
    double remaining = fStepsPerSample;
    while (remaining > 0) {
        const double input = Held(v.pointer);
        const double toBoundary = 1 - v.withinStep;
        if (toBoundary > remaining) {
            stairs += input * remaining;
            if (filtering) {
                const bool whole = remaining == fStepsPerSample;
                filtered += TReconstructionFilter::Advance(
                    whole ? fWholeSample : fFilter.Stretch(remaining), remaining, input, v.filter);
            }
            v.withinStep += remaining;
            break;
        }
        stairs += input * toBoundary;
        if (filtering) {
            const bool whole = v.withinStep == 0;
            filtered += TReconstructionFilter::Advance(
                whole ? fFullStep : fFilter.Stretch(toBoundary), toBoundary, input, v.filter);
        }
        remaining -= toBoundary;
        v.withinStep = 0;
        ++v.pointer;
    }

    const double mean = stairs + v.filterMix * (filtered - stairs);
    const double dc = v.fromDc + v.tableMix * (v.toDc - v.fromDc);
    const double out = v.gain * (mean / fStepsPerSample - dc) * OutputScale;
    return static_cast<float>(std::clamp(out, -1.0, 1.0));
}
