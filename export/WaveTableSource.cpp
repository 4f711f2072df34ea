#include "export/WaveTableSource.h"

#include <cctype>
#include <cstdio>
#include <utility>

namespace {

constexpr int ValuesPerLine = 16;

} // namespace

std::string_view WaveformName(const TWaveTable& table) {
    const std::pair<const TWaveTable*, std::string_view> waveforms[] = {
        {&SinTable, "sin"}, {&SawTable, "saw"}, {&RSawTable, "rsaw"},
        {&TriTable, "tri"}, {&SqrTable, "sqr"}, {&EcgTable, "ecg"},
    };
    for (const auto& [waveform, name] : waveforms) {
        if (table == *waveform)
            return name;
    }
    return {};
}

std::string WaveTableSource(const TWaveTable& table) {
    const std::string_view name = WaveformName(table);
    std::string text = "/* ";
    if (name.empty()) {
        text += "A wave table that is none of the simulator's six waveforms";
    } else {
        for (const char c : name)
            text += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        text += " wave table";
    }
    text += ": 256 one-byte samples for an 8-bit DAC, one for each value of an 8-bit table "
            "pointer. */\n";
    text += "const unsigned char wave_table";
    if (!name.empty())
        text.append("_").append(name);
    text += "[256] = {\n";
    for (std::size_t i = 0; i < table.size(); ++i) {
        char value[8];
        std::snprintf(value, sizeof value, "%3u", unsigned{table[i]});
        text += i % ValuesPerLine == 0 ? "    " : " ";
        text += value;
        if (i + 1 < table.size())
            text += ',';
        if ((i + 1) % ValuesPerLine == 0)
            text += '\n';
    }
    text += "};\n";
    return text;
}
