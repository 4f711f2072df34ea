// Program entry: the command line, the application object, the one main window, the event loop.
#include "app/CommandLine.h"
#include "lab/SignalLab.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <cstdio>

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

    TForm1 form;
    Form1 = &form;
    new TSignalLab(form); // owned by the window, F2 opens it
    form.show();
    const int result = application.exec();
    Form1 = nullptr;
    return result;
}
