#include "ui/StaticText.h"

#include <QPainter>

TStaticText::TStaticText(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setContentsMargins(1, 1, 1, 1); // room for the frame
}

void TStaticText::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    // The single-line frame is the platform's window-frame colour, not the text colour that a
    // plain QFrame border would take.
    QPainter painter(this);
    painter.setPen(QColor(0, 0, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
