#include "chart/StairGeometry.h"

#include <algorithm>

TVisibleSpan VisibleSpan(const TChartValueList& x, double xL, double xR) {
    // The X column is ascending, so the first point at or beyond a value is a binary search away;
    // this finds the same points as a scan from the start.
    if (x.Count() == 0)
        return {};
    const double* begin = x.Data();
    const double* end = begin + x.Count();
    const double* first = std::lower_bound(begin, end, xL);
    if (first == end)
        return {};
    const double* last = std::lower_bound(first, end, xR);
    if (last == end)
        last = end - 1;
    return {static_cast<int>(first - begin), static_cast<int>(last - begin)};
}
