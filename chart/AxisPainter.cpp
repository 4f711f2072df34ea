#include "chart/AxisPainter.h"

#include "chart/AxisStyle.h"
#include "chart/ChartColors.h"

#include <QPainter>

namespace {
const QColor AxisColor(0, 0, 0);
const QColor TickColor(128, 128, 128);
const QColor GridColor = QColor::fromRgb(ChartColors::Silver);
const QColor LabelColor(0, 0, 0);
} // namespace

void DrawAxes(QPainter& painter, const TChartLayout& layout) {
    using namespace AxisStyle;
    using TLabel = TChartLayout::TLabel;
    const QRect plot = layout.PlotRect();
    const TChartLayout::TAxis& bottom = layout.Bottom();
    const TChartLayout::TAxis& left = layout.Left();
    painter.save();

    // Grid lines only strictly inside the axis: none on the axis line or the opposite edge.
    if (bottom.visible)
        for (const TLabel& label : bottom.labels)
            if (plot.left() < label.pixel && label.pixel < plot.right())
                painter.fillRect(label.pixel, plot.top(), 1, plot.height(), GridColor);
    if (left.visible)
        for (const TLabel& label : left.labels)
            if (plot.top() < label.pixel && label.pixel < plot.bottom())
                painter.fillRect(plot.left(), label.pixel, plot.width(), 1, GridColor);

    // Ticks start just outside the axis line, which takes the edge pixel and the one beyond.
    const int tickBelow = plot.bottom() + AxisLineWidth;
    const int tickLeft = plot.left() - AxisLineWidth + 1;
    if (bottom.visible) {
        for (const TLabel& label : bottom.labels)
            painter.fillRect(label.pixel, tickBelow, 1, TickLength, TickColor);
        for (int pixel : bottom.minorTicks)
            painter.fillRect(pixel, tickBelow, 1, MinorTickLength, TickColor);
    }
    if (left.visible) {
        for (const TLabel& label : left.labels)
            painter.fillRect(tickLeft - TickLength, label.pixel, TickLength, 1, TickColor);
        for (int pixel : left.minorTicks)
            painter.fillRect(tickLeft - MinorTickLength, pixel, MinorTickLength, 1, TickColor);
    }

    // Flat ends: the lines cover exactly the axis's length, and meet in the corner.
    if (bottom.visible)
        painter.fillRect(QRect(QPoint(plot.left() - AxisLineWidth + 1, plot.bottom()),
                               QPoint(plot.right(), plot.bottom() + AxisLineWidth - 1)),
                         AxisColor);
    if (left.visible)
        painter.fillRect(QRect(QPoint(plot.left() - AxisLineWidth + 1, plot.top()),
                               QPoint(plot.left(), plot.bottom() + AxisLineWidth - 1)),
                         AxisColor);

    painter.setFont(layout.Font());
    painter.setPen(LabelColor);
    const int ascent = layout.Metrics().ascent();
    const int lineHeight = layout.Metrics().height();
    if (bottom.visible) {
        const int baseline = plot.bottom() + TickStrip + 1 + ascent;
        for (const TLabel& label : bottom.labels)
            painter.drawText(QPoint(label.pixel - label.width / 2, baseline), label.text);
    }
    if (left.visible) {
        const int textRight = plot.left() - TickStrip;
        for (const TLabel& label : left.labels)
            painter.drawText(QPoint(textRight - label.width, label.pixel - lineHeight / 2 + ascent),
                             label.text);
    }
    painter.restore();
}
