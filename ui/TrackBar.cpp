#include "ui/TrackBar.h"

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(QSlider::TicksBelow);
    setPageStep(2);
    connect(this, &QSlider::valueChanged, this, [this] { Change(); });
    // A user action that leaves the value unchanged still notifies, as does letting go of the
    // thumb.
    connect(this, &QSlider::actionTriggered, this, [this] {
        if (sliderPosition() == value())
            Change();
    });
    connect(this, &QSlider::sliderReleased, this, [this] { Change(); });
}

void TTrackBar::Change() {
    if (OnChange)
        OnChange(this);
}
