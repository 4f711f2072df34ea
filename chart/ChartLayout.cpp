#include "chart/ChartLayout.h"

#include "chart/AxisLabels.h"
#include "chart/AxisStyle.h"

#include <algorithm>

QFont TChartLayout::LabelFont(double dpiY) {
    QFont font(QStringLiteral("Arial"));
    // Whole pixels, as the text metrics the label step is worked out from are whole pixels too.
    font.setPixelSize(std::max(1, qRound(LabelFontPoints * dpiY / 72)));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

TChartLayout::TChartLayout(const QLocale& locale)
    : fLocale(locale), fFont(LabelFont(96)), fMetrics(fFont) {}

TChartLayout::TAxisInputs TChartLayout::InputsOf(const TChartAxis& axis) {
    return {axis.Minimum(), axis.Maximum(), axis.Increment, axis.Visible};
}

bool TChartLayout::Update(const QRect& area, int dpiY, TChartAxis& bottom, TChartAxis& left,
                          int tracePoints) {
    const TInputs inputs{area, dpiY, InputsOf(bottom), InputsOf(left)};
    const bool shortTrace = fShortTraceLimit && tracePoints <= *fShortTraceLimit;
    if (inputs == fInputs && shortTrace == fShortTrace)
        return false;
    if (!fInputs || dpiY != fInputs->dpiY) {
        // The label font follows the monitor's density, as the window's own fonts do.
        fFont = LabelFont(dpiY);
        fMetrics = QFontMetrics(fFont);
    }
    fInputs = inputs;
    LayOut(area, bottom, left, tracePoints);
    return true;
}

std::vector<double> TChartLayout::Values(const TChartAxis& axis, int labelSize,
                                         std::optional<int> tracePoints) const {
    if (axis.Increment > 0)
        return AxisLabels::LabelledValues(axis.Minimum(), axis.Maximum(), axis.Increment);
    return AxisLabels::AxisLabelValues(axis.Minimum(), axis.Maximum(), axis.Length(), labelSize,
                                       tracePoints);
}

void TChartLayout::Place(TAxis& layout, const TChartAxis& axis, const std::vector<double>& values) {
    layout.visible = axis.Visible;
    layout.start = axis.StartPixel();
    layout.end = axis.EndPixel();
    layout.labels.clear();
    std::vector<int> pixels;
    for (double value : values) {
        const QString text = AxisLabels::FormatLabel(value, fLocale);
        const int pixel = axis.ValueToPixel(value);
        layout.labels.push_back({value, pixel, text, TextWidth(text)});
        pixels.push_back(pixel);
    }
    layout.minorTicks = AxisLabels::MinorTickPixels(pixels, layout.start, layout.end);
}

void TChartLayout::LayOut(const QRect& area, TChartAxis& bottom, TChartAxis& left,
                          int tracePoints) {
    // The bottom band is one line high whatever the labels say, so the left axis's length is
    // known first; its labels then give the left band's width and with it the bottom axis's
    // length. Nothing has to be settled twice.
    const int lineHeight = fMetrics.height();
    const int bottomEdge = area.bottom() - (bottom.Visible ? AxisStyle::TickStrip + lineHeight : 0);
    left.SetPixelRange(area.top(), bottomEdge);
    // The left labels' size along their axis is the height of a line of text ("W").
    Place(fLeft, left,
          left.Visible ? Values(left, lineHeight, std::nullopt) : std::vector<double>{});

    int leftBand = 0;
    if (left.Visible) {
        int widest = 0;
        for (const TLabel& label : fLeft.labels)
            widest = std::max(widest, label.width);
        leftBand = widest + TextWidth(QStringLiteral(" ")) + AxisStyle::TickStrip;
    }
    const int leftEdge = area.left() + leftBand;
    bottom.SetPixelRange(leftEdge, area.right());

    std::vector<double> bottomValues;
    fShortTraceLimit.reset();
    if (bottom.Visible) {
        int widest = 0;
        for (double value : AxisLabels::SizingValues(bottom.Minimum(), bottom.Maximum()))
            widest = std::max(widest, TextWidth(AxisLabels::FormatLabel(value, fLocale)));
        bottomValues = Values(bottom, widest, tracePoints);
        if (!(bottom.Increment > 0))
            fShortTraceLimit = AxisLabels::ShortTraceLimit(bottom.Minimum(), bottom.Maximum(),
                                                           bottom.Length(), widest);
    }
    fShortTrace = fShortTraceLimit && tracePoints <= *fShortTraceLimit;
    Place(fBottom, bottom, bottomValues);

    fPlotRect = QRect(QPoint(leftEdge, area.top()), QPoint(area.right(), bottomEdge));
}
