// Program entry: the application object, the one main window, the event loop.
#include "ui/Unit1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The window scales its own layout from the 120 pixels-per-inch design to the monitor, so Qt's
    // scaling stays off and widget pixels are device pixels.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("wawetable"));
    // On Wayland the window carries this as its application id, by which the desktop finds the
    // menu entry's name and icon for it.
    application.setDesktopFileName(QStringLiteral(WAWE_APP_ID));

    TForm1 form;
    Form1 = &form;
    form.show();
    const int result = application.exec();
    Form1 = nullptr;
    return result;
}
