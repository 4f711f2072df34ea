#include "ui/Events.h"

#include "ui/ErrorDisplay.h"

#include <QString>

void ReportError(const std::exception& error) {
    ShowErrorMessage(QString::fromUtf8(error.what()));
}
