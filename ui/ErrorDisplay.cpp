#include "ui/ErrorDisplay.h"

#include <QGuiApplication>
#include <QHash>
#include <QMessageBox>
#include <QPointer>

namespace {

// The boxes shown and not yet closed, by their text.
QHash<QString, QPointer<QMessageBox>>& OpenBoxes() {
    static QHash<QString, QPointer<QMessageBox>> boxes;
    return boxes;
}

QMessageBox* ErrorBox(const QString& message) {
    auto* box = new QMessageBox(QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
                                message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

} // namespace

void ShowErrorMessage(const QString& message) {
    QPointer<QMessageBox>& open = OpenBoxes()[message];
    if (open && open->isVisible())
        return;
    open = ErrorBox(message);
    // Shown without a nested event loop: the handler that failed returns at once, and the clock
    // whose tick it was goes on ticking.
    open->show();
}

void ShowErrorMessageAndWait(const QString& message) {
    ErrorBox(message)->exec();
}
