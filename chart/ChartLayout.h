// Where the chart puts its two shown axes, their labels and the plot rectangle, for its size, the
// label font, the axes' ranges and the trace. Kept until one of those changes in a way that can
// move anything, so that painting and the mouse handling read one layout, painted or not.
#pragma once

#include "chart/Axis.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

class TChartLayout {
public:
    static constexpr double LabelFontPoints = 8;
    // "Arial" 8 points at a density of dpiY dots per inch, sized in whole pixels.
    static QFont LabelFont(double dpiY);

    struct TLabel {
        double value;
        int pixel;
        QString text;
        int width;
    };
    struct TAxis {
        bool visible = false;
        int start = 0;
        int end = 0;
        std::vector<TLabel> labels;
        std::vector<int> minorTicks;
    };

    // Labels are written in locale's separators.
    explicit TChartLayout(const QLocale& locale = QLocale());

    // Lays out area (the chart less its border) with the label font at dpiY, the two shown axes'
    // ranges and a trace of tracePoints points, unless the layout already is for them: the left
    // band as wide as the left axis's widest label plus a space, the bottom band one line of text
    // high, each beyond the tick strip. Sets both axes' pixel ranges. Returns whether anything
    // was laid out again.
    bool Update(const QRect& area, int dpiY, TChartAxis& bottom, TChartAxis& left, int tracePoints);

    QRect PlotRect() const { return fPlotRect; }
    const TAxis& Bottom() const { return fBottom; }
    const TAxis& Left() const { return fLeft; }
    const std::vector<TLabel>& BottomLabels() const { return fBottom.labels; }
    const std::vector<TLabel>& LeftLabels() const { return fLeft.labels; }
    const QFont& Font() const { return fFont; }
    const QFontMetrics& Metrics() const { return fMetrics; }

private:
    // What the layout depends on, apart from the trace.
    struct TAxisInputs {
        double minimum = 0;
        double maximum = 0;
        double increment = 0;
        bool visible = false;
        friend bool operator==(const TAxisInputs&, const TAxisInputs&) = default;
    };
    struct TInputs {
        QRect area;
        int dpiY = 0;
        TAxisInputs bottom;
        TAxisInputs left;
        friend bool operator==(const TInputs&, const TInputs&) = default;
    };
    static TAxisInputs InputsOf(const TChartAxis& axis);

    void LayOut(const QRect& area, TChartAxis& bottom, TChartAxis& left, int tracePoints);
    void Place(TAxis& layout, const TChartAxis& axis, const std::vector<double>& values);
    std::vector<double> Values(const TChartAxis& axis, int labelSize,
                               std::optional<int> tracePoints) const;
    int TextWidth(const QString& text) const { return fMetrics.horizontalAdvance(text); }

    QLocale fLocale;
    QFont fFont;
    QFontMetrics fMetrics;
    std::optional<TInputs> fInputs; // empty until the first layout
    // The trace enters the layout only through one decision, whether the bottom axis labels a
    // trace this short at whole steps: the limit when it does, and the answer last laid out.
    std::optional<int> fShortTraceLimit;
    bool fShortTrace = false;

    QRect fPlotRect;
    TAxis fBottom;
    TAxis fLeft;
};
