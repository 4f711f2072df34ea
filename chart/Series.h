// The output trace: every Sample sent to the DAC since the trace was last emptied, stored as two
// parallel columns of doubles. Plain C++; the chart that draws it only reads the columns.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

enum class TChartListOrder { loNone, loAscending };

// One named column of the trace.
class TChartValueList {
public:
    TChartValueList(std::string name, TChartListOrder order)
        : fName(std::move(name)), fOrder(order) {}

    const std::string& Name() const { return fName; }
    TChartListOrder Order() const { return fOrder; }
    std::size_t Count() const { return fValues.size(); }
    std::size_t Capacity() const { return fValues.capacity(); }
    double operator[](std::size_t i) const { return fValues[i]; }
    const double* Data() const { return fValues.data(); }

private:
    friend class TChartSeries;
    std::string fName;
    TChartListOrder fOrder;
    std::vector<double> fValues;
};

class TChartSeries {
public:
    // Room added whenever the columns are full; a step then costs constant amortised time.
    static constexpr std::size_t GrowthStep = 1000;

    using TAfterAddEvent = std::function<void(TChartSeries* Sender, int ValueIndex)>;

    TChartSeries();

    const TChartValueList& XValues() const { return fXValues; }
    const TChartValueList& YValues() const { return fYValues; }
    int Count() const { return static_cast<int>(fXValues.Count()); }

    // Appends (Count(), Y), raises OnAfterAdd, then requests a redraw. Returns the new point's
    // index, even when the handler has emptied the trace meanwhile.
    int AddY(double Y);
    // Removes every point and releases the storage.
    void Clear();

    TAfterAddEvent OnAfterAdd;
    // Set by the owning chart: marks it for a full redraw at the next paint.
    std::function<void()> OnRequestRedraw;

private:
    void RequestRedraw();

    TChartValueList fXValues;
    TChartValueList fYValues;
};
