// The working table as C source, to paste into a program for a real microcontroller.
#pragma once

#include "engine/WaveTables.h"

#include <string>
#include <string_view>

// The waveform whose table equals `table`: "sin", "saw", "rsaw", "tri", "sqr" or "ecg", or empty
// when it equals none of the six.
std::string_view WaveformName(const TWaveTable& table);

// A comment line naming the waveform and saying what the table is, then
// `const unsigned char wave_table_<name>[256] = {`, the 256 values sixteen a line, and `};`. A
// table that equals none of the six waveforms is called plain `wave_table`. Valid C from C89 on.
std::string WaveTableSource(const TWaveTable& table);
