// The signal lab: a window beside the simulator that shows the harmonics of the working table as
// the DAC holds it, one period of the stairs with the reconstruction filter's output over it, the
// output frequency at the current speed, and plays the table ("Listen"). It follows its source
// live and changes nothing of it.
#pragma once

#include "engine/WaveTables.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QSlider;
class THarmonicsPlot;
class TLabSource;
class TReconstructionPlot;
class TSoundOutput;

class TLabWindow : public QWidget {
    Q_OBJECT
public:
    // The source must outlive the window.
    explicit TLabWindow(const TLabSource& source, QWidget* parent = nullptr);

    // The filter's cutoff as a fraction of the step rate, as the slider sets it.
    double Cutoff() const;
    double Pitch() const;
    // 0..1 of the generator's level.
    double Volume() const;

    TSoundOutput& Sound() { return *fSound; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void Follow();
    void ShowTable();
    void ShowFilter();
    void ShowFrequency();
    void ShowVolume();
    void ShowSoundStatus();

    const TLabSource& fSource;
    TWaveTable fTable{};
    TSoundOutput* fSound;

    THarmonicsPlot* fHarmonics;
    QLabel* fDc;
    QLabel* fThd;
    TReconstructionPlot* fReconstruction;
    QSlider* fCutoff;
    QLabel* fCutoffValue;
    QLabel* fFilteredThd;
    QLabel* fFrequency;
    QLabel* fStepRate;
    QCheckBox* fListen;
    QCheckBox* fThroughFilter;
    QSlider* fPitch;
    QLabel* fPitchValue;
    QSlider* fVolume;
    QLabel* fVolumeValue;
};
