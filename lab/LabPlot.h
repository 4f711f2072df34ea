// The frame the signal lab's two plots share: the chart's own axes (range model, label steps,
// layout and painter) around a plot rectangle that a subclass fills.
#pragma once

#include "chart/Axis.h"
#include "chart/ChartLayout.h"

#include <QWidget>

class TLabPlot : public QWidget {
    Q_OBJECT
public:
    explicit TLabPlot(QWidget* parent = nullptr);

    const TChartAxis& BottomAxis() const { return fBottom; }
    const TChartAxis& LeftAxis() const { return fLeft; }

    // The plot rectangle for the widget's size as it is now; the axes' pixel ranges follow it.
    QRect PlotRect();

protected:
    TChartAxis& Bottom() { return fBottom; }
    TChartAxis& Left() { return fLeft; }

    void paintEvent(QPaintEvent* event) override;
    // Draws what the plot shows inside plot, mapped through the axes; called under a clip to it.
    virtual void DrawContent(QPainter& painter, const QRect& plot) = 0;

private:
    TChartAxis fBottom{TChartAxis::TOrientation::Horizontal};
    TChartAxis fLeft{TChartAxis::TOrientation::Vertical};
    TChartLayout fLayout;
};
