#include "chart/Series.h"

TChartSeries::TChartSeries()
    : fXValues("X", TChartListOrder::loAscending), fYValues("Y", TChartListOrder::loNone) {}

int TChartSeries::AddY(double Y) {
    const std::size_t n = fXValues.Count();
    if (n == fXValues.Capacity()) {
        fXValues.fValues.reserve(n + GrowthStep);
        fYValues.fValues.reserve(n + GrowthStep);
    }
    // A new point's X is the count, so the ascending X column always takes it at the end.
    fXValues.fValues.push_back(static_cast<double>(n));
    fYValues.fValues.push_back(Y);

    const int index = static_cast<int>(n);
    if (OnAfterAdd)
        OnAfterAdd(this, index);
    // The handler may have cleared the trace: nothing below touches the stored points.
    RequestRedraw();
    return index;
}

void TChartSeries::Clear() {
    std::vector<double>().swap(fXValues.fValues);
    std::vector<double>().swap(fYValues.fValues);
    RequestRedraw();
}

void TChartSeries::RequestRedraw() {
    if (OnRequestRedraw)
        OnRequestRedraw();
}
