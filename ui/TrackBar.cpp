#include "ui/TrackBar.h"

#include "ui/Events.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QStyleOptionSlider>

namespace {

// Gives the thumb the track bar's own length across the channel; everything else is the
// platform's style.
class TThumbStyle : public QProxyStyle {
public:
    explicit TThumbStyle(const TTrackBar* owner) : fOwner(owner) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        // Some styles ask without naming the widget; this style serves one track bar only.
        if (metric == PM_SliderControlThickness || metric == PM_SliderThickness)
            return fOwner->ThumbLength();
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    const TTrackBar* fOwner;
};

} // namespace

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    auto* style = new TThumbStyle(this);
    style->setParent(this);
    setStyle(style);
    setTickPosition(QSlider::TicksBelow);
    setSingleStep(1);
    setPageStep(2); // a press on the channel moves two positions, repeating while held
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QSlider::valueChanged, this, [this] { Change(); });
    // A user action that leaves the value unchanged still notifies, as does letting go of the
    // thumb. When an action changes the value, valueChanged follows and notifies instead.
    connect(this, &QSlider::actionTriggered, this, [this] {
        if (sliderPosition() == value())
            Change();
    });
    connect(this, &QSlider::sliderReleased, this, [this] { Change(); });
    // The paging repeat stops once the thumb has come to the pointer.
    connect(this, &QSlider::actionTriggered, this, [this] {
        if (fChannelHeld && ThumbRect().contains(fChannelPress))
            setRepeatAction(SliderNoAction);
    });
}

QRect TTrackBar::ThumbRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

// Anywhere beside the thumb counts as the channel, not only the style's thin groove: a press
// pages two positions towards the pointer and repeats while the button is held.
void TTrackBar::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const QRect thumb = ThumbRect();
    if (event->button() != Qt::LeftButton || thumb.contains(at)) {
        QSlider::mousePressEvent(event);
        return;
    }
    event->accept();
    fChannelHeld = true;
    fChannelPress = at;
    const SliderAction action = at.x() > thumb.center().x() ? SliderPageStepAdd : SliderPageStepSub;
    triggerAction(action);
    if (fChannelHeld && !ThumbRect().contains(at))
        setRepeatAction(action);
}

void TTrackBar::mouseReleaseEvent(QMouseEvent* event) {
    if (fChannelHeld && event->button() == Qt::LeftButton) {
        fChannelHeld = false;
        setRepeatAction(SliderNoAction);
        event->accept();
        return;
    }
    QSlider::mouseReleaseEvent(event);
}

void TTrackBar::SetThumbLength(int pixels) {
    fThumbLength = pixels;
    updateGeometry();
    update();
}

void TTrackBar::keyPressEvent(QKeyEvent* event) {
    // Up moves towards Min and Page Up by -2, as the left-to-right channel reads; the style's
    // default would turn both the other way.
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        action = SliderSingleStepSub;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        action = SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        action = SliderToMaximum;
        break;
    default:
        QSlider::keyPressEvent(event);
        return;
    }
    triggerAction(action);
    event->accept();
}

void TTrackBar::Change() {
    Raise(OnChange, this);
}
