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

} // namespace

void ShowErrorMessage(const QString& message) {
    QPointer<QMessageBox>& open = OpenBoxes()[message];
    if (open && open->isVisible())
        return;
    auto* box = new QMessageBox(QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
                                message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    open = box;
    // Shown without a nested event loop: the handler that failed returns at once, and the clock
    // whose tick it was goes on ticking.
    box->show();
}
