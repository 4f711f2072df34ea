// What the program makes of its command line. It takes no arguments but --help and --version, and
// hands none to Qt: Qt's own options (-reverse, -qwindowtitle, ...) would change the window.
#pragma once

#include <span>
#include <string>

struct TCommandLine {
    bool openWindow = true; // false: print and exit without touching the windowing system
    int exitCode = 0;
    std::string out; // one line for standard output, or empty
    std::string err; // one line for standard error, or empty
};

// args are the arguments after the program's own name. version is the program's version.
TCommandLine ReadCommandLine(std::span<const char* const> args, const std::string& version);
