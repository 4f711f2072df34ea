// The program's run once the application object exists: the one main window and the event loop.
#pragma once

#include <ostream>

// Makes the main window, shows it and runs the event loop until the window is closed, and returns
// the loop's exit code. When the window cannot be made (the platform has no timer to give, say),
// the error is reported as the event loop's error display reports one, and with a line on `err`,
// and the result is 1.
int RunMainWindow(std::ostream& err);
