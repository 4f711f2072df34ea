#include "export/SamplesText.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

void Append(std::string& text, double value) {
    std::array<char, 32> digits; // the longest shortest form of a double has 24 characters
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    text.append(digits.data(), end);
}

} // namespace

std::string SamplesText(std::span<const double> x, std::span<const double> y) {
    std::string text = "X\tSample\n";
    const std::size_t count = std::min(x.size(), y.size());
    text.reserve(text.size() + count * 10);
    for (std::size_t i = 0; i < count; ++i) {
        Append(text, x[i]);
        text += '\t';
        Append(text, y[i]);
        text += '\n';
    }
    return text;
}
