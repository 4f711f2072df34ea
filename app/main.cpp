// Program entry: the command line, the application object, then the main window and the event loop
// (Startup.h).
#include "app/CommandLine.h"
#include "app/Startup.h"

#include <QApplication>
#include <cstdio>
#include <iostream>

int main(int argc, char* argv[]) {
    const TCommandLine commandLine = ReadCommandLine(
        std::span<const char* const>(argv + 1, argc > 0 ? argc - 1 : 0), WAWE_VERSION);
    std::fputs(commandLine.out.c_str(), stdout);
    std::fputs(commandLine.err.c_str(), stderr);
    if (!commandLine.openWindow)
        return commandLine.exitCode;

    // The window scales its own layout from the 120 pixels-per-inch design to the monitor, so Qt's
    // scaling stays off and widget pixels are device pixels.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    // Qt sees the program's name only: the platform is still chosen through Qt's environment
    // variables (QT_QPA_PLATFORM and the like). Qt keeps a reference to the count.
    static char name[] = "wawetable";
    static int qtArgc = 1;
    static char* qtArgv[] = {argc > 0 && argv[0] ? argv[0] : name, nullptr};
    QApplication application(qtArgc, qtArgv);
    application.setApplicationName(QStringLiteral("wawetable"));
    // On Wayland the window carries this as its application id, by which the desktop finds the
    // menu entry's name and icon for it.
    application.setDesktopFileName(QStringLiteral(WAWE_APP_ID));

    return RunMainWindow(std::cerr);
}
