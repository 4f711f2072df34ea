#include "ui/Image.h"

#include "ui/Events.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TImage::SetPicture(const QImage& picture) {
    fPicture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    fStretched = QImage();
    update();
}

QImage TImage::Stretch(const QImage& picture, const QSize& size) {
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    const long long sw = source.width();
    const long long sh = source.height();
    for (int y = 0; y < size.height(); ++y) {
        const auto* from =
            reinterpret_cast<const QRgb*>(source.constScanLine(int(y * sh / size.height())));
        auto* to = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            to[x] = from[x * sw / size.width()];
    }
    return result;
}

void TImage::paintEvent(QPaintEvent*) {
    if (fPicture.isNull() || width() <= 0 || height() <= 0)
        return;
    // The pulse changes the height every few hundred milliseconds; stretch once per new size.
    if (fStretched.size() != size())
        fStretched = Stretch(fPicture, size());
    QPainter painter(this);
    painter.drawImage(0, 0, fStretched); // source-over: blended by alpha over the panel
}

void TImage::mousePressEvent(QMouseEvent* event) {
    fPressed = event->button() == Qt::LeftButton;
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        fPressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    fPressed = false;
    if (click)
        Raise(OnClick, this);
}

void TImage::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double click is not a click.
    fPressed = false;
}
