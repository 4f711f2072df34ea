// How an antialiased pen with round ends covers the pixels around a stroke whose line runs along
// pixel corners, in the three levels the trace's fast renderer writes: untouched, half covered and
// fully covered. Plain C++: the renderer gathers strokes with it, and it follows the pen's width.
#pragma once

#include <cstddef>
#include <vector>

class TPenFootprint {
public:
    enum class TCover { None, Half, Full };

    explicit TPenFootprint(int width);

    // Each pixel is written at the level nearest to the share of it that the pen covers.
    static TCover Level(double share);

    // Offsets of the pixels the pen reaches across a stroke: the pixel column c lies at offset
    // c - x from a vertical stroke on the corner x, and the row r at offset r - y from a horizontal
    // one on the corner y.
    int FirstOffset() const { return fFirstOffset; }
    int LastOffset() const { return fFirstOffset + static_cast<int>(fOffsets.size()) - 1; }

    // How the length of a stroke, away from its ends, covers the pixel at offset across it.
    TCover Across(int offset) const { return At(offset).across; }
    // How many pixels beyond a stroke's end its end covers fully, and at least half, at offset
    // across the stroke.
    int FullEndPixels(int offset) const { return At(offset).fullEnd; }
    int InkedEndPixels(int offset) const { return At(offset).inkedEnd; }
    // The share of the pixel at offset across the stroke, `beyond` pixels past its end (0 for the
    // first), that the end covers.
    double EndShare(int offset, int beyond) const {
        const std::vector<double>& shares = At(offset).endShares;
        return beyond >= 0 && static_cast<std::size_t>(beyond) < shares.size()
                   ? shares[static_cast<std::size_t>(beyond)]
                   : 0;
    }
    // Whether the faint edges of the ends around one pixel, none of them enough on its own, can
    // add up to half covering it; with a thin pen they never do.
    bool FaintEndsAddUp() const { return fFaintEndsAddUp; }

private:
    struct TOffset {
        TCover across = TCover::None;
        std::vector<double> endShares;
        int fullEnd = 0;
        int inkedEnd = 0;
    };
    const TOffset& At(int offset) const {
        return fOffsets[static_cast<std::size_t>(offset - fFirstOffset)];
    }

    int fFirstOffset;
    std::vector<TOffset> fOffsets;
    bool fFaintEndsAddUp = false;
};
