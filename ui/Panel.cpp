#include "ui/Panel.h"

#include <QPainter>

TPanel::TPanel(QWidget* parent) : QFrame(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TPanel::SetFill(const QColor& fill) {
    fFill = fill;
    update();
}

void TPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = rect();
    if (fFill.isValid())
        painter.fillRect(r, fFill);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    // Drawn last so that the inner border, in the fill's own colour, stays one pixel inside.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(r.left(), r.top(), r.right(), r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
}
