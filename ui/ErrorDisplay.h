// The application's default error display: an error that escapes an event handler is shown to the
// user in a message box with the error's text, and the program goes on.
#pragma once

#include <QString>
#include <exception>

// Shows message in a message box that does not block the caller. While a box with the same text
// is still open, showing the message again adds no second one, so that an error repeated at every
// tick of a clock yields one box rather than a pile of them.
void ShowErrorMessage(const QString& message);

// Runs an event handler; an error it raises is shown with ShowErrorMessage.
template <typename Handler> void RunHandler(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowErrorMessage(QString::fromUtf8(error.what()));
    }
}
