#include "chart/PenFootprint.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The area of the part of the disk of radius r around the origin that lies in 0..x by 0..y.
double QuarterDiskArea(double x, double y, double r) {
    x = std::min(x, r);
    y = std::min(y, r);
    if (x * x + y * y <= r * r)
        return x * y;
    // Up to u = a the disk reaches above y; beyond it the arc runs below.
    const double a = std::sqrt(r * r - y * y);
    const auto underArc = [r](double u) {
        return (u * std::sqrt(r * r - u * u) + r * r * std::asin(u / r)) / 2;
    };
    return a * y + underArc(x) - underArc(a);
}

// The covered share of the pixel that spans distances u0..u1 from a round end's centre across
// the stroke and v0..v1 beyond the end.
double RoundEndShare(double u0, double u1, double v0, double v1, double r) {
    return QuarterDiskArea(u1, v1, r) - QuarterDiskArea(u0, v1, r) - QuarterDiskArea(u1, v0, r) +
           QuarterDiskArea(u0, v0, r);
}

// The same for an end cut square, r beyond the end point, of a stroke that covers the share
// `across` of the pixel's width.
double SquareEndShare(double across, double v0, double v1, double r) {
    return across * std::max(0.0, std::min(v1, r) - v0);
}

} // namespace

TPenFootprint::TCover TPenFootprint::Level(double share) {
    return share >= 0.75 ? TCover::Full : share >= 0.25 ? TCover::Half : TCover::None;
}

TPenFootprint::TPenFootprint(int width) {
    const double r = std::max(width, 1) / 2.0;
    // Qt's rasteriser draws lines no wider than a pixel with its cosmetic stroker, which ends them
    // square, half a pixel beyond their end points, whatever the pen's cap.
    const bool thin = width <= 1;
    fFirstOffset = static_cast<int>(std::floor(-r));
    const int lastOffset = static_cast<int>(std::ceil(r)) - 1;
    // What is left uncovered of a pixel if every end's faint edge around it met there. Each corner
    // of the stair ends two strokes, drawn one over the other.
    double uncovered = 1;
    for (int offset = fFirstOffset; offset <= lastOffset; ++offset) {
        // The pixel spans offset..offset + 1 across the line, u0..u1 away from it.
        const double u0 = offset >= 0 ? offset : -(offset + 1.0);
        const double u1 = u0 + 1;
        const double across = std::max(0.0, std::min(u1, r) - u0);
        TOffset pixel;
        pixel.across = Level(across);
        double faintest = 0;
        for (int beyond = 0; beyond < r; ++beyond) {
            const double share = thin ? SquareEndShare(across, beyond, beyond + 1, r)
                                      : RoundEndShare(u0, u1, beyond, beyond + 1, r);
            pixel.endShares.push_back(share);
            const TCover level = Level(share);
            if (level == TCover::Full)
                pixel.fullEnd = beyond + 1;
            if (level != TCover::None)
                pixel.inkedEnd = beyond + 1;
            else
                faintest = std::max(faintest, share);
        }
        uncovered *= (1 - faintest) * (1 - faintest);
        fOffsets.push_back(std::move(pixel));
    }
    fFaintEndsAddUp = Level(1 - uncovered) != TCover::None;
}
