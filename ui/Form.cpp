#include "ui/Form.h"

#include "ui/Events.h"

#include <QApplication>
#include <QKeyEvent>

TForm::TForm(QWidget* parent) : QWidget(parent) {
    // Key events go straight to the focused control; only an application-wide filter sees them
    // before it does.
    qApp->installEventFilter(this);
}

TForm::~TForm() {
    qApp->removeEventFilter(this);
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this)
        return false;
    // A key that a control leaves unhandled is handed on to its parent, then to the parent's
    // parent, as the same event. Only its first delivery is the key-down the window previews;
    // telling the two apart by the focus would fail when the handler itself moves the focus.
    const bool handedOn = event == fLastKey && fLastKeyReceiver != nullptr &&
                          fLastKeyReceiver->parentWidget() == widget;
    fLastKey = event;
    fLastKeyReceiver = widget;
    if (type != QEvent::KeyPress || handedOn || !KeyPreview || !OnKeyDown)
        return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    int key = keyEvent->key();
    Raise(OnKeyDown, this, key, keyEvent->modifiers());
    return key == 0;
}

bool TForm::focusNextPrevChild(bool next) {
    // Qt calls this on behalf of a focused control that has just been disabled, to hand the focus
    // on to the next one; here the window keeps the focus itself instead.
    QWidget* focused = focusWidget();
    if (focused != nullptr && focused != this && !focused->isEnabled()) {
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}
