// The signal lab attached to the main window: F2 anywhere in either window opens and hides it,
// "Signal lab…" in the chart's context menu opens it, and it follows the main window's waveform,
// speed and run state through the controls' own notifications, after the window's handlers have
// run. Nothing of the main window's layout, keys or handlers changes.
#pragma once

#include "lab/LabWindow.h"

#include <QObject>
#include <QPointer>
#include <memory>

class TForm1;
class TMainWindowSource;

class TSignalLab : public QObject {
    Q_OBJECT
public:
    // Call once the window is built and wired; the lab lives as long as the window.
    explicit TSignalLab(TForm1& form);
    ~TSignalLab() override;

    // Shows the lab (made at its first showing) beside the main window and brings it to the front.
    void Show();
    // Shows the lab, or hides it when it is shown.
    void Toggle();
    // The lab window; nullptr until it is first shown.
    TLabWindow* Window() const { return fWindow; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    TForm1& fForm;
    std::unique_ptr<TMainWindowSource> fSource;
    QPointer<TLabWindow> fWindow;
    // The key event last seen and its receiver, to tell a key-down from its handing on to the
    // receiver's parent.
    const QEvent* fLastKey = nullptr;
    QPointer<QObject> fLastKeyReceiver;
};
