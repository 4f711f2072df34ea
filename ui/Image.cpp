#include "ui/Image.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetPicture(const QImage& picture) {
    fPicture = picture;
    update();
}

void TImage::paintEvent(QPaintEvent*) {
    if (fPicture.isNull() || width() <= 0 || height() <= 0)
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, fPicture.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

void TImage::mousePressEvent(QMouseEvent* event) {
    fPressed = event->button() == Qt::LeftButton;
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        fPressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    fPressed = false;
    if (click && OnClick)
        OnClick(this);
}

void TImage::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double click is not a click.
    fPressed = false;
}
