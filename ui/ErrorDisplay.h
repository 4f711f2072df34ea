// The application's default error display: a message box with an error's text, which leaves the
// program running.
#pragma once

#include <QString>

// Shows message in a message box that does not block the caller. While a box with the same text
// is still open, showing the message again adds no second one, so that an error repeated at every
// tick of a clock yields one box rather than a pile of them.
void ShowErrorMessage(const QString& message);
