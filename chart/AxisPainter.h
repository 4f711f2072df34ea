// The two shown axes on the chart's picture: lays out their label bands, which decide the plot
// rectangle and each axis's pixel range, and draws their lines, ticks, grid and labels.
#pragma once

#include "chart/Axis.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

class TAxisPainter {
public:
    static constexpr int AxisLineWidth = 2;
    static constexpr int TickLength = 4;
    static constexpr int MinorTickLength = 2;
    // From the axis line to the labels: the line, one pixel, and the major ticks.
    static constexpr int LabelOffset = AxisLineWidth + 1 + TickLength;
    static constexpr double LabelFontPoints = 8;

    // "Arial" 8 points at a density of dpiY dots per inch, sized in whole pixels.
    static QFont LabelFont(double dpiY);

    explicit TAxisPainter(const QFont& labelFont = LabelFont(96),
                          const QLocale& locale = QLocale());

    void SetLabelFont(const QFont& labelFont);
    const QFont& Font() const { return fFont; }

    // Lays out the plot rectangle inside area (the chart less its border): the left band as wide
    // as the left axis's widest label plus a space, the bottom band one line of text high, each
    // LabelOffset pixels outside the axis line. Sets both axes' pixel ranges and works out their
    // labels; tracePoints is the number of points in the trace.
    QRect Layout(const QRect& area, TChartAxis& bottom, TChartAxis& left, int tracePoints);

    // Draws grid, axis lines, ticks and labels as laid out by the last Layout.
    void Draw(QPainter& painter) const;

    struct TLabel {
        double value;
        int pixel;
        QString text;
        int width;
    };
    const std::vector<TLabel>& BottomLabels() const { return fBottom.labels; }
    const std::vector<TLabel>& LeftLabels() const { return fLeft.labels; }

private:
    struct TAxisLayout {
        bool visible = false;
        int start = 0;
        int end = 0;
        std::vector<TLabel> labels;
        std::vector<int> minorTicks;
    };

    void Place(TAxisLayout& layout, const TChartAxis& axis, const std::vector<double>& values);
    std::vector<double> Values(const TChartAxis& axis, int labelSize,
                               std::optional<int> tracePoints) const;
    int TextWidth(const QString& text) const { return fMetrics.horizontalAdvance(text); }

    QFont fFont;
    QFontMetrics fMetrics;
    QLocale fLocale;
    QRect fPlotRect;
    TAxisLayout fBottom;
    TAxisLayout fLeft;
};
