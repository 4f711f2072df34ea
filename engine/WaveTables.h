// The generator's waveforms: six constant tables of 256 Samples and the one working table that the
// table pointer reads. Plain C++, so the tables can be checked without any window.
#pragma once

#include <array>
#include <cstdint>

// One byte sent to the imitated DAC.
using Sample = std::uint8_t;

// What the 8-bit table pointer indexes: exactly 256 Samples.
using TWaveTable = std::array<Sample, 256>;

extern const TWaveTable SinTable;
extern const TWaveTable EcgTable;
extern const TWaveTable SawTable;
extern const TWaveTable RSawTable;
extern const TWaveTable TriTable;
extern const TWaveTable SqrTable;

// The process-wide working table: a copy of whichever waveform is selected.
extern TWaveTable WaveTable;
