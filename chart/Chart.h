// Chart1: the imitated DAC's output. It owns the trace and the four axes, keeps its picture in an
// off-screen image, and redraws that image only when a redraw request is pending at a paint.
#pragma once

#include "chart/Axis.h"
#include "chart/ChartLayout.h"
#include "chart/Series.h"
#include "chart/ZoomPan.h"

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QWidget>

class QContextMenuEvent;
class QKeyEvent;
class QMouseEvent;
class QPainter;

class TChart : public QWidget {
    Q_OBJECT
public:
    explicit TChart(QWidget* parent = nullptr);

    TChartSeries& Series() { return fSeries; }
    const TChartSeries& Series() const { return fSeries; }

    // The axes, their pixel ranges laid out for the chart as it is now. A change made through a
    // reference kept from earlier is laid out when the chart is next asked for an axis or its
    // layout, and at every paint and mouse event.
    TChartAxis& BottomAxis() { return LaidOut(fBottomAxis); }
    TChartAxis& TopAxis() { return LaidOut(fTopAxis); }
    TChartAxis& LeftAxis() { return LaidOut(fLeftAxis); }
    TChartAxis& RightAxis() { return LaidOut(fRightAxis); }
    // Their ranges; the pixel ranges as last laid out.
    const TChartAxis& BottomAxis() const { return fBottomAxis; }
    const TChartAxis& LeftAxis() const { return fLeftAxis; }

    // Marks the chart for a full redraw at the next paint; any number of requests before that
    // paint give one redraw.
    void RequestRedraw();
    bool RedrawPending() const { return fRedrawPending; }
    // Full redraws done so far, for tests and benchmarks.
    long long FullRedrawCount() const { return fFullRedrawCount; }

    // The picture as last drawn (the window shows exactly this).
    const QImage& Picture() const { return fPicture; }
    // Draws the whole chart into image (which must have the chart's size), as a paint would.
    void Render(QImage& image);

    // Restores the axis ranges saved before the first zoom, pan or wheel notch, if any, and
    // requests a redraw either way.
    void UndoZoom();
    // The mouse's zoom, pan and wheel state, with the ranges saved for UndoZoom.
    const TZoomPan& ZoomPan() const { return fZoomPan; }
    bool RestoredAxisScales() const { return fZoomPan.RestoredAxisScales(); }

    // The chart's background: the platform's face of windows and buttons, read where the window
    // reads its own background, so that the chart and the window around it show one colour even
    // under a desktop theme whose button colour differs.
    QColor BackgroundColor() const { return palette().color(QPalette::Window); }

    // The plot rectangle, the axes' bands and labels for the chart's size, label font, ranges and
    // trace as they are now: the layout that the next paint draws and the mouse goes by.
    const TChartLayout& Layout();
    // The part of the chart bounded by the two shown axes.
    QRect PlotRect() { return Layout().PlotRect(); }

signals:
    // The user asks for the chart's context menu, to open at globalPos: a right click that did
    // not pan (at the release), or the Menu key or Shift+F10 while the chart has the focus.
    void ContextMenuRequested(const QPoint& globalPos);
    // The platform's copy keys (Ctrl+C) while the chart has the focus.
    void CopyRequested();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // A full redraw's first layer: the button face and the bevel around it.
    void DrawBackground(QPainter& painter) const;
    // Brings the layout, and with it every axis's pixel range, up to date; the one place that
    // sets them.
    void UpdateLayout();
    TChartAxis& LaidOut(TChartAxis& axis) {
        UpdateLayout();
        return axis;
    }
    // The zoom drag's outline, in chart pixels; empty while none is shown.
    QRegion RubberBandRegion() const;
    // Draws the outline over the shown picture, inverting each pixel against the background.
    void PaintRubberBand(QPainter& painter, const QRegion& exposed) const;
    void EraseRubberBand();
    // Whether the release of the button that holds the drag in progress was lost on its way: the
    // event shows that button pressed again, or no longer held.
    bool DragReleaseLost(const QMouseEvent& event) const;
    // Ends a drag whose release will not come: a zoom drag erases its band and changes no range,
    // a pan drag stays where it is.
    void AbandonDrag();

    TChartSeries fSeries;
    TChartAxis fBottomAxis{TChartAxis::TOrientation::Horizontal};
    TChartAxis fTopAxis{TChartAxis::TOrientation::Horizontal};
    TChartAxis fLeftAxis{TChartAxis::TOrientation::Vertical};
    TChartAxis fRightAxis{TChartAxis::TOrientation::Vertical};
    TZoomPan fZoomPan{fBottomAxis, fTopAxis, fLeftAxis, fRightAxis};
    bool fRubberBandShown = false; // from the zoom drag's first move to its release
    // Set by a right press that no drag in progress ignores; cleared when the pointer moves (on
    // the plot, a pan step) or another button goes down or up. Its release then asks for the
    // context menu.
    bool fMenuOnRightRelease = false;
    QPoint fRightPressAt;

    TChartLayout fLayout;

    QImage fPicture;
    bool fRedrawPending = true;
    long long fFullRedrawCount = 0;
};
