#include "lab/LabPlot.h"

#include "chart/AxisPainter.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace {

// The plots are charts to an assistive tool, named and described by the plot itself.
QAccessibleInterface* CreateAccessible(const QString& key, QObject* object) {
    if (key == QLatin1String("TLabPlot"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    return nullptr;
}

} // namespace

TLabPlot::TLabPlot(QWidget* parent) : QWidget(parent) {
    // Before the subclass names the plot: naming it while a screen reader listens makes its
    // accessible view at once, and that view would not be a chart's.
    static const bool factoryInstalled = (QAccessible::installFactory(CreateAccessible), true);
    (void)factoryInstalled;
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
