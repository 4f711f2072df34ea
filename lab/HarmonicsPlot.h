// The harmonics of the held table as bars: harmonic 1 to 32 across, their level in dB relative to
// the fundamental upwards, from a floor below which a bar is not drawn.
#pragma once

#include "lab/LabPlot.h"
#include "signal/Harmonics.h"

class THarmonicsPlot : public TLabPlot {
    Q_OBJECT
public:
    static constexpr double FloorDb = -80;

    explicit THarmonicsPlot(QWidget* parent = nullptr);

    void SetSpectrum(const TSpectrum& spectrum);
    const TSpectrum& Spectrum() const { return fSpectrum; }

    // The first eight levels in words, for the accessible description.
    QString Description() const;

    QSize sizeHint() const override { return {640, 220}; }

protected:
    void DrawContent(QPainter& painter, const QRect& plot) override;

private:
    TSpectrum fSpectrum;
};
