#include "lab/LabWindow.h"

#include "lab/HarmonicsPlot.h"
#include "lab/LabSource.h"
#include "lab/LabText.h"
#include "lab/ReconstructionPlot.h"
#include "lab/SoundOutput.h"
#include "signal/Harmonics.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// The cutoff slider counts in hundredths of the step rate.
constexpr int CutoffScale = 100;
constexpr int StartCutoff = 10;
constexpr int StartPitch = 220;
constexpr int StartVolume = 50;

QSlider* MakeSlider(const QString& name, int minimum, int maximum, int value, int pageStep) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(name);
    slider->setAccessibleName(name);
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    slider->setPageStep(pageStep);
    return slider;
}

QLabel* MakeLabel(const QString& objectName) {
    auto* label = new QLabel;
    label->setObjectName(objectName);
    return label;
}

// A slider with its caption before it and its value after it, on one row of a grid.
void AddSliderRow(QGridLayout* grid, const QString& caption, QSlider* slider, QLabel* value) {
    const int row = grid->rowCount();
    auto* label = new QLabel(caption);
    label->setBuddy(slider);
    grid->addWidget(label, row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(value, row, 2);
}

} // namespace

TLabWindow::TLabWindow(const TLabSource& source, QWidget* parent)
    : QWidget(parent, Qt::Window), fSource(source), fSound(new TSoundOutput(this)),
      fHarmonics(new THarmonicsPlot), fDc(MakeLabel("dc")), fThd(MakeLabel("thd")),
      fReconstruction(new TReconstructionPlot),
      fCutoff(MakeSlider("Filter cutoff", qRound(TToneGenerator::MinimumCutoff * CutoffScale),
                         qRound(TToneGenerator::MaximumCutoff * CutoffScale), StartCutoff, 5)),
      fCutoffValue(MakeLabel("cutoff")), fFilteredThd(MakeLabel("filtered thd")),
      fFrequency(MakeLabel("frequency")), fStepRate(MakeLabel("step rate")),
      fListen(new QCheckBox(QStringLiteral("Listen"))),
      fThroughFilter(new QCheckBox(QStringLiteral("Through the filter"))),
      fPitch(MakeSlider("Pitch", int(TToneGenerator::MinimumPitch),
                        int(TToneGenerator::MaximumPitch), StartPitch, 55)),
      fPitchValue(MakeLabel("pitch")), fVolume(MakeSlider("Volume", 0, 100, StartVolume, 10)),
      fVolumeValue(MakeLabel("volume")) {
    setObjectName(QStringLiteral("SignalLab"));
    setWindowTitle(QStringLiteral("Signal lab"));
    fHarmonics->setObjectName(QStringLiteral("harmonics"));
    fReconstruction->setObjectName(QStringLiteral("reconstruction"));
    fListen->setObjectName(QStringLiteral("Listen"));
    fThroughFilter->setObjectName(QStringLiteral("Through the filter"));

    auto* harmonics = new QGroupBox(QStringLiteral("Harmonics of the stairs, dB relative to the "
                                                   "fundamental"));
    auto* harmonicsLayout = new QGridLayout(harmonics);
    harmonicsLayout->addWidget(fHarmonics, 0, 0, 1, 2);
    harmonicsLayout->addWidget(fDc, 1, 0);
    harmonicsLayout->addWidget(fThd, 1, 1);

    auto* reconstruction =
        new QGroupBox(QStringLiteral("One period of the stairs, and the reconstruction filter's "
                                     "output"));
    auto* reconstructionLayout = new QGridLayout(reconstruction);
    reconstructionLayout->addWidget(fReconstruction, 0, 0, 1, 3);
    AddSliderRow(reconstructionLayout, QStringLiteral("Filter cutoff"), fCutoff, fCutoffValue);
    reconstructionLayout->addWidget(fFilteredThd, reconstructionLayout->rowCount(), 0, 1, 3);

    auto* frequency = new QGroupBox(QStringLiteral("Frequency"));
    auto* frequencyLayout = new QVBoxLayout(frequency);
    frequencyLayout->addWidget(fFrequency);
    frequencyLayout->addWidget(fStepRate);

    auto* listen = new QGroupBox(QStringLiteral("Listen"));
    auto* listenLayout = new QGridLayout(listen);
    listenLayout->addWidget(fListen, 0, 0);
    listenLayout->addWidget(fThroughFilter, 0, 1, 1, 2);
    AddSliderRow(listenLayout, QStringLiteral("Pitch"), fPitch, fPitchValue);
    AddSliderRow(listenLayout, QStringLiteral("Volume"), fVolume, fVolumeValue);
    listenLayout->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(harmonics, 3);
    layout->addWidget(reconstruction, 3);
    layout->addWidget(frequency);
    layout->addWidget(listen);

    TToneGenerator& generator = fSound->Generator();
    generator.SetCutoff(Cutoff());
    generator.SetPitch(Pitch());
    generator.SetVolume(Volume());
    generator.SetThroughFilter(fThroughFilter->isChecked());

    connect(&fSource, &TLabSource::Changed, this, &TLabWindow::Follow);
    connect(fCutoff, &QSlider::valueChanged, this, [this] {
        fSound->Generator().SetCutoff(Cutoff());
        ShowFilter();
    });
    connect(fPitch, &QSlider::valueChanged, this, [this] {
        fSound->Generator().SetPitch(Pitch());
        ShowFrequency();
    });
    connect(fVolume, &QSlider::valueChanged, this, [this] {
        fSound->Generator().SetVolume(Volume());
        ShowVolume();
    });
    connect(fThroughFilter, &QCheckBox::toggled, this,
            [this](bool through) { fSound->Generator().SetThroughFilter(through); });
    connect(fListen, &QCheckBox::toggled, this, [this](bool on) { fSound->SetListening(on); });
    connect(fSound, &TSoundOutput::StatusChanged, this, &TLabWindow::ShowSoundStatus);

    fTable = fSource.Table();
    ShowTable();
    ShowFrequency();
    ShowVolume();
    ShowSoundStatus();
}

double TLabWindow::Cutoff() const {
    return double(fCutoff->value()) / CutoffScale;
}

double TLabWindow::Pitch() const {
    return fPitch->value();
}

double TLabWindow::Volume() const {
    return fVolume->value() / 100.0;
}

// Only a hide by the program or the user's close stops the sound; a minimised window plays on.
void TLabWindow::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        fListen->setChecked(false);
    QWidget::hideEvent(event);
}

void TLabWindow::Follow() {
    const TWaveTable table = fSource.Table();
    if (table != fTable) {
        fTable = table;
        ShowTable();
    }
    ShowFrequency();
}

void TLabWindow::ShowTable() {
    fSound->Generator().SetTable(fTable);
    const TSpectrum stairs = StairsSpectrum(fTable);
    fHarmonics->SetSpectrum(stairs);
    fDc->setText(QStringLiteral("DC level: %1").arg(stairs.dc, 0, 'f', 1));
    fThd->setText(QStringLiteral("THD: %1").arg(LabText::Thd(stairs.thdPercent)));
    ShowFilter();
}

void TLabWindow::ShowFilter() {
    const double cutoff = Cutoff();
    fCutoffValue->setText(QStringLiteral("%1 of the step rate").arg(cutoff, 0, 'f', 2));
    fReconstruction->SetTable(fTable, cutoff);
    const TSpectrum filtered = FilteredSpectrum(fTable, TReconstructionFilter(cutoff));
    fFilteredThd->setText(QStringLiteral("THD: stairs %1, after the filter %2")
                              .arg(LabText::Thd(fHarmonics->Spectrum().thdPercent),
                                   LabText::Thd(filtered.thdPercent)));
}

void TLabWindow::ShowFrequency() {
    fFrequency->setText(QStringLiteral("Output frequency: ") +
                        LabText::OutputFrequency(fSource.StepIntervalMs(), fSource.Stepping()));
    fStepRate->setText(QStringLiteral("Step rate for the pitch: ") + LabText::StepRate(Pitch()));
    fPitchValue->setText(QStringLiteral("%1 Hz").arg(fPitch->value()));
}

void TLabWindow::ShowVolume() {
    fVolumeValue->setText(QStringLiteral("%1 %").arg(fVolume->value()));
}

void TLabWindow::ShowSoundStatus() {
    QString why;
    switch (fSound->Status()) {
    case TSoundOutput::TStatus::Probing:
        why = QStringLiteral("Looking for a sound output");
        break;
    case TSoundOutput::TStatus::Unavailable:
        why = fSound->UnavailableReason();
        fListen->setChecked(false);
        break;
    case TSoundOutput::TStatus::Ready:
        break;
    }
    fListen->setEnabled(why.isEmpty());
    fListen->setToolTip(why.isEmpty() ? QStringLiteral("Play the table at the pitch below") : why);
    fListen->setAccessibleDescription(fListen->toolTip());
}
