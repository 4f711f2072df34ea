// How the controls raise their events. Every click, change, tick and key-down reaches its handler
// through Raise, so that the program's error policy is applied in this one place and no handler
// has to know whether what it calls can fail.
#pragma once

#include <exception>
#include <utility>

// The error policy: an error that escapes an event handler is shown by the event loop's default
// error display, and the program goes on with the next event.
void ReportError(const std::exception& error);

// Runs an event's handler, if one is attached, with the event's arguments.
template <typename Handler, typename... Args> void Raise(const Handler& handler, Args&&... args) {
    if (!handler)
        return;
    try {
        handler(std::forward<Args>(args)...);
    } catch (const std::exception& error) {
        ReportError(error);
    }
}
