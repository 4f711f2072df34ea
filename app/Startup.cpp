#include "app/Startup.h"

#include "lab/SignalLab.h"
#include "ui/ErrorDisplay.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <exception>
#include <memory>

int RunMainWindow(std::ostream& err) {
    std::unique_ptr<TForm1> form;
    try {
        form = std::make_unique<TForm1>();
    } catch (const std::exception& error) {
        // There is no window to go on with, so the user closes the box and the program ends.
        err << "wawetable: " << error.what() << '\n';
        ShowErrorMessageAndWait(QString::fromUtf8(error.what()));
        return 1;
    }
    Form1 = form.get();
    new TSignalLab(*form); // owned by the window
    form->show();
    const int result = QApplication::exec();
    Form1 = nullptr;
    return result;
}
