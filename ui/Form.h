// A top-level window as the handlers expect one: with KeyPreview on it sees every key-down before
// the control that has the focus, and a control that is disabled while it has the focus gives the
// focus to the window itself.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget* parent = nullptr);
    ~TForm() override;

    // OnKeyDown runs for each key-down in the window, auto-repeats included, before the focused
    // control sees it. Key is the key code; a handler that sets it to 0 consumes the key,
    // otherwise the focused control then handles it as usual.
    bool KeyPreview = false;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The key event last delivered to a control of this window, and to which control.
    const QEvent* fLastKey = nullptr;
    QPointer<QWidget> fLastKeyReceiver;
};
