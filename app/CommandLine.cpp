#include "app/CommandLine.h"

#include <algorithm>
#include <string_view>

namespace {
constexpr std::string_view Usage = "usage: wawetable [--help | --version]";
} // namespace

TCommandLine ReadCommandLine(std::span<const char* const> args, const std::string& version) {
    // Every argument is checked before any is acted on, so that "--help -reverse" names the
    // stray argument instead of printing the help and leaving the mistake unnoticed.
    const auto unknown = std::find_if(args.begin(), args.end(), [](const char* arg) {
        const std::string_view a(arg);
        return a != "--help" && a != "--version";
    });
    if (unknown != args.end())
        return {false,
                2,
                {},
                "wawetable: unknown argument \"" + std::string(*unknown) + "\"; " +
                    std::string(Usage) + "\n"};
    if (args.empty())
        return {};
    if (std::string_view(args.front()) == "--version")
        return {false, 0, "wawetable " + version + "\n", {}};
    return {false,
            0,
            std::string(Usage) +
                ": opens the Quarnel Electronics WAWETable simulator, which takes no other "
                "arguments\n",
            {}};
}
