#include "lab/LabPlot.h"

#include "chart/AxisPainter.h"

#include <QPainter>

TLabPlot::TLabPlot(QWidget* parent) : QWidget(parent) {
    fBottom.OnChange = [this] { update(); };
    fLeft.OnChange = [this] { update(); };
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect TLabPlot::PlotRect() {
    // Room above the top label and right of the last one, which the painter centres on the
    // plot's edges.
    const int lineHeight = QFontMetrics(TChartLayout::LabelFont(logicalDpiY())).height();
    const QRect area = rect().adjusted(2, lineHeight / 2 + 2, -lineHeight, -2);
    // No trace here: labels at whole steps wherever a step of 1 fits.
    fLayout.Update(area, logicalDpiY(), fBottom, fLeft, 0);
    return fLayout.PlotRect();
}

void TLabPlot::paintEvent(QPaintEvent*) {
    const QRect plot = PlotRect();
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    DrawAxes(painter, fLayout);
    painter.save();
    painter.setClipRect(plot.adjusted(0, -1, 1, 1));
    painter.setRenderHint(QPainter::Antialiasing);
    DrawContent(painter, plot);
    painter.restore();
}
