#include "ui/Placement.h"

#include "ui/Layout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

// A window manager frames a window when the program maps it, and only then can the program learn
// the frame's size (on X11 from _NET_FRAME_EXTENTS, or by walking up to the frame window). The
// window is therefore placed twice: when it is shown, by the size known then, so that the window
// manager maps it close to its place (without a window manager that is already the final place);
// and at its first exposure, when the window manager has framed and mapped it, by its outer size,
// which moves it by about half the frame's height. After that the window stays where the user
// puts it.
TPlacement::TPlacement(QWidget* window) : QObject(window), fWindow(window) {
    // A Wayland compositor places every window itself and ignores where a client asks for it.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    fWindow->installEventFilter(this);
}

bool TPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fWindow && event->type() == QEvent::Show) {
        // The native window exists from the show on.
        Centre();
        fWindow->windowHandle()->installEventFilter(this);
    } else if (watched != fWindow && event->type() == QEvent::Expose &&
               fWindow->windowHandle()->isExposed()) {
        Centre();
        Finish();
    }
    return false;
}

void TPlacement::Centre() {
    // The native window's frame geometry, since the widget's copy of the frame follows only at its
    // next move or resize.
    QWindow* native = fWindow->windowHandle();
    if (const QScreen* screen = native->screen())
        native->setFramePosition(
            DesktopCentre(screen->virtualGeometry(), native->frameGeometry().size()));
}

void TPlacement::Finish() {
    fWindow->removeEventFilter(this);
    if (QWindow* native = fWindow->windowHandle())
        native->removeEventFilter(this);
}
