#include "engine/WaveTables.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

template <typename Rule> TWaveTable makeTable(Rule rule) {
    TWaveTable table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<Sample>(rule(i));
    return table;
}

// floor(128 + 128 sin(2 pi i / 256)), clamped to 255. The second half is taken as the mirror of
// the first, so that the sine at i = 128 is exactly 0 and at i = 192 exactly -1: the rounding of
// a computed sin(pi) could otherwise leave 127.999... and floor it to 127.
int sinRule(int i) {
    const int half = i % 128;
    const double sine = std::sin(2.0 * std::numbers::pi * half / 256.0);
    const double value = i < 128 ? 128.0 + 128.0 * sine : 128.0 - 128.0 * sine;
    return std::min(255, static_cast<int>(std::floor(value)));
}

} // namespace

const TWaveTable SinTable = makeTable(sinRule);
const TWaveTable SawTable = makeTable([](int i) { return i; });
const TWaveTable RSawTable = makeTable([](int i) { return 255 - i; });
const TWaveTable TriTable = makeTable([](int i) { return i < 128 ? 2 * i : 255 - 2 * (i - 128); });
const TWaveTable SqrTable = makeTable([](int i) { return i < 128 ? 0 : 255; });

// One heartbeat, recorded rather than computed: P wave, QRS complex (peak at 50, trough at 60),
// T wave (peak at 122..126) and baseline. It starts and ends at 73 so that it repeats seamlessly.
// clang-format off
const TWaveTable EcgTable = {
     73,  74,  75,  75,  74,  73,  73,  73,  73,  72,  71,  69,  68,  67,  67,  67,
     68,  68,  67,  65,  62,  61,  59,  57,  56,  55,  55,  54,  54,  54,  55,  55,
     55,  55,  55,  55,  54,  53,  51,  50,  49,  49,  52,  61,  77, 101, 132, 169,
    207, 238, 255, 254, 234, 198, 154, 109,  68,  37,  17,   5,   0,   1,   6,  13,
     20,  28,  36,  45,  52,  57,  61,  64,  65,  66,  67,  68,  68,  69,  70,  71,
     71,  71,  71,  71,  71,  71,  71,  72,  72,  72,  73,  73,  74,  75,  75,  76,
     77,  78,  79,  80,  81,  82,  83,  84,  86,  88,  91,  93,  96,  98, 100, 102,
    104, 107, 109, 112, 115, 118, 121, 123, 125, 126, 127, 127, 127, 127, 127, 126,
    125, 124, 121, 119, 116, 113, 109, 105, 102,  98,  95,  92,  89,  87,  84,  81,
     79,  77,  76,  75,  74,  73,  72,  70,  69,  68,  67,  67,  67,  68,  68,  68,
     69,  69,  69,  69,  69,  69,  69,  70,  71,  72,  73,  73,  74,  74,  75,  75,
     75,  75,  75,  75,  74,  74,  73,  73,  73,  73,  72,  72,  72,  71,  71,  71,
     71,  71,  71,  71,  70,  70,  70,  69,  69,  69,  69,  69,  70,  70,  70,  69,
     68,  68,  67,  67,  67,  67,  66,  66,  66,  65,  65,  65,  65,  65,  65,  65,
     65,  64,  64,  63,  63,  64,  64,  65,  65,  65,  65,  65,  65,  65,  64,  64,
     64,  64,  64,  64,  64,  64,  65,  65,  65,  66,  67,  68,  69,  71,  72,  73,
};
// clang-format on

TWaveTable WaveTable{};
