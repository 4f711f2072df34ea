#include "chart/AxisPainter.h"

#include "chart/AxisLabels.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
const QColor AxisColor(0, 0, 0);
const QColor TickColor(128, 128, 128);
const QColor GridColor(192, 192, 192);
const QColor LabelColor(0, 0, 0);
} // namespace

QFont TAxisPainter::LabelFont(double dpiY) {
    QFont font(QStringLiteral("Arial"));
    // Whole pixels, as the text metrics the label step is worked out from are whole pixels too.
    font.setPixelSize(std::max(1, qRound(LabelFontPoints * dpiY / 72)));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

TAxisPainter::TAxisPainter(const QFont& labelFont, const QLocale& locale)
    : fFont(labelFont), fMetrics(labelFont), fLocale(locale) {}

void TAxisPainter::SetLabelFont(const QFont& labelFont) {
    if (labelFont == fFont)
        return;
    fFont = labelFont;
    fMetrics = QFontMetrics(labelFont);
}

std::vector<double> TAxisPainter::Values(const TChartAxis& axis, int labelSize,
                                         std::optional<int> tracePoints) const {
    if (axis.Increment > 0)
        return AxisLabels::LabelledValues(axis.Minimum(), axis.Maximum(), axis.Increment);
    return AxisLabels::AxisLabelValues(axis.Minimum(), axis.Maximum(), axis.Length(), labelSize,
                                       tracePoints);
}

void TAxisPainter::Place(TAxisLayout& layout, const TChartAxis& axis,
                         const std::vector<double>& values) {
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

QRect TAxisPainter::Layout(const QRect& area, TChartAxis& bottom, TChartAxis& left,
                           int tracePoints) {
    // The bottom band is one line high whatever the labels say, so the left axis's length is
    // known first; its labels then give the left band's width and with it the bottom axis's
    // length. Nothing has to be settled twice.
    const int lineHeight = fMetrics.height();
    const int bottomEdge = area.bottom() - (bottom.Visible ? LabelOffset + lineHeight : 0);
    left.SetPixelRange(area.top(), bottomEdge);
    // The left labels' size along their axis is the height of a line of text ("W").
    Place(fLeft, left,
          left.Visible ? Values(left, lineHeight, std::nullopt) : std::vector<double>{});

    int leftBand = 0;
    if (left.Visible) {
        int widest = 0;
        for (const TLabel& label : fLeft.labels)
            widest = std::max(widest, label.width);
        leftBand = widest + TextWidth(QStringLiteral(" ")) + LabelOffset;
    }
    const int leftEdge = area.left() + leftBand;
    bottom.SetPixelRange(leftEdge, area.right());

    std::vector<double> bottomValues;
    if (bottom.Visible) {
        int widest = 0;
        for (double value : AxisLabels::SizingValues(bottom.Minimum(), bottom.Maximum()))
            widest = std::max(widest, TextWidth(AxisLabels::FormatLabel(value, fLocale)));
        bottomValues = Values(bottom, widest, tracePoints);
    }
    Place(fBottom, bottom, bottomValues);

    fPlotRect = QRect(QPoint(leftEdge, area.top()), QPoint(area.right(), bottomEdge));
    return fPlotRect;
}

void TAxisPainter::Draw(QPainter& painter) const {
    const QRect& plot = fPlotRect;
    painter.save();

    // Grid lines only strictly inside the axis: none on the axis line or the opposite edge.
    if (fBottom.visible)
        for (const TLabel& label : fBottom.labels)
            if (plot.left() < label.pixel && label.pixel < plot.right())
                painter.fillRect(label.pixel, plot.top(), 1, plot.height(), GridColor);
    if (fLeft.visible)
        for (const TLabel& label : fLeft.labels)
            if (plot.top() < label.pixel && label.pixel < plot.bottom())
                painter.fillRect(plot.left(), label.pixel, plot.width(), 1, GridColor);

    // Ticks start just outside the axis line, which takes the edge pixel and the one beyond.
    const int tickBelow = plot.bottom() + AxisLineWidth;
    const int tickLeft = plot.left() - AxisLineWidth + 1;
    if (fBottom.visible) {
        for (const TLabel& label : fBottom.labels)
            painter.fillRect(label.pixel, tickBelow, 1, TickLength, TickColor);
        for (int pixel : fBottom.minorTicks)
            painter.fillRect(pixel, tickBelow, 1, MinorTickLength, TickColor);
    }
    if (fLeft.visible) {
        for (const TLabel& label : fLeft.labels)
            painter.fillRect(tickLeft - TickLength, label.pixel, TickLength, 1, TickColor);
        for (int pixel : fLeft.minorTicks)
            painter.fillRect(tickLeft - MinorTickLength, pixel, MinorTickLength, 1, TickColor);
    }

    // Flat ends: the lines cover exactly the axis's length, and meet in the corner.
    if (fBottom.visible)
        painter.fillRect(QRect(QPoint(plot.left() - AxisLineWidth + 1, plot.bottom()),
                               QPoint(plot.right(), plot.bottom() + AxisLineWidth - 1)),
                         AxisColor);
    if (fLeft.visible)
        painter.fillRect(QRect(QPoint(plot.left() - AxisLineWidth + 1, plot.top()),
                               QPoint(plot.left(), plot.bottom() + AxisLineWidth - 1)),
                         AxisColor);

    painter.setFont(fFont);
    painter.setPen(LabelColor);
    const int ascent = fMetrics.ascent();
    const int lineHeight = fMetrics.height();
    if (fBottom.visible) {
        const int baseline = plot.bottom() + LabelOffset + 1 + ascent;
        for (const TLabel& label : fBottom.labels)
            painter.drawText(QPoint(label.pixel - label.width / 2, baseline), label.text);
    }
    if (fLeft.visible) {
        const int textRight = plot.left() - LabelOffset;
        for (const TLabel& label : fLeft.labels)
            painter.drawText(QPoint(textRight - label.width, label.pixel - lineHeight / 2 + ascent),
                             label.text);
    }
    painter.restore();
}
