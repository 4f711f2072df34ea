// The application's default error display: a message box with an error's text.
#pragma once

#include <QString>

// Shows message in a message box that does not block the caller, and leaves the program running.
// While a box with the same text is still open, showing the message again adds no second one, so
// that an error repeated at every tick of a clock yields one box rather than a pile of them.
void ShowErrorMessage(const QString& message);

// Shows message in the same box and returns once the user has closed it: for an error after which
// the program cannot go on.
void ShowErrorMessageAndWait(const QString& message);
