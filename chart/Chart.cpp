#include "chart/Chart.h"

#include "chart/AxisPainter.h"
#include "chart/StairGeometry.h"
#include "chart/TraceRenderer.h"

#include <QPaintEvent>
#include <QPainter>
#include <cstring>

namespace {
constexpr int BevelWidth = 1;
const QColor BevelLight(255, 255, 255);
const QColor BevelShadow(160, 160, 160);
} // namespace

TChart::TChart(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    fSeries.OnRequestRedraw = [this] { TraceChanged(); };
    for (TChartAxis* axis : {&fBottomAxis, &fTopAxis, &fLeftAxis, &fRightAxis})
        axis->OnChange = [this] { RequestRedraw(); };
    fTopAxis.Visible = false;
    fRightAxis.Visible = false;
}

void TChart::RequestRedraw() {
    fRedrawPending = true;
    fFullRedrawPending = true;
    fPendingArea = QRect();
    update();
}

void TChart::TraceChanged() {
    // Points are only ever appended one at a time or removed all together: a count that did not
    // grow by one means a clear, and the adds that may have followed it.
    const int count = fSeries.Count();
    const bool appended = count == fTracedCount + 1;
    fTracedCount = count;
    if (!appended || fFullRedrawPending)
        return RequestRedraw();
    // The new point may change the labels (a trace this long is labelled more finely), and a
    // change that asked for no redraw may be waiting for the next paint.
    UpdateLayout();
    if (CurrentKey() != fPictureKey)
        return RequestRedraw();
    const QRect area = NewStrokesArea(count - 1);
    if (area.isEmpty())
        return;
    fRedrawPending = true;
    fPendingArea = fPendingArea.united(area);
    update(area);
}

QRect TChart::NewStrokesArea(int n) const {
    // Drawing stops at the first point at or beyond the right edge: the new point is drawn only
    // when it is the last one drawn, and then adds its two strokes from the point before it.
    const TVisibleSpan span =
        VisibleSpan(fSeries.XValues(), fBottomAxis.Minimum(), fBottomAxis.Maximum());
    if (n < 1 || span.Empty() || span.last != n)
        return {};
    return TraceStepArea(fLayout.PlotRect(), PointPixel(fSeries, fBottomAxis, fLeftAxis, n - 1),
                         PointPixel(fSeries, fBottomAxis, fLeftAxis, n))
        .intersected(rect());
}

void TChart::UpdateLayout() {
    const QRect inner = rect().adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth);
    if (!fLayout.Update(inner, logicalDpiY(), fBottomAxis, fLeftAxis, fSeries.Count()))
        return;
    ++fLayoutCount;
    const QRect plot = fLayout.PlotRect();
    fTopAxis.SetPixelRange(plot.left(), plot.right());
    fRightAxis.SetPixelRange(plot.top(), plot.bottom());
}

const TChartLayout& TChart::Layout() {
    UpdateLayout();
    return fLayout;
}

void TChart::Render(QImage& image) {
    UpdateLayout();
    DrawLayers(image);
    // Last, on top of everything: the trace writes the picture's pixels itself, so no painter
    // may be open on it.
    DrawTrace(image, fLayout.PlotRect(), fSeries, fBottomAxis, fLeftAxis);
    ++fFullRedrawCount;
}

void TChart::DrawLayers(QImage& image) const {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawBackground(painter);
    DrawAxes(painter, fLayout); // lines, ticks, grid and labels, under the trace
}

void TChart::RedrawArea(const QRect& area) {
    if (fUnderTraceKey != fPictureKey) {
        fUnderTrace = QImage(size(), QImage::Format_RGB32);
        DrawLayers(fUnderTrace);
        fUnderTraceKey = fPictureKey;
    }
    const qsizetype offset = qsizetype(area.left()) * 4;
    const std::size_t bytes = std::size_t(area.width()) * 4;
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(fPicture.scanLine(y) + offset, fUnderTrace.constScanLine(y) + offset, bytes);
    DrawTraceWithin(fPicture, area, fLayout.PlotRect(), fSeries, fBottomAxis, fLeftAxis);
    ++fPartialRedrawCount;
}

void TChart::DrawBackground(QPainter& painter) const {
    // The face colour, as the window's own background, so the chart sits flat in its panel.
    const QRect all = rect();
    painter.fillRect(all, BackgroundColor());
    painter.fillRect(QRect(0, 0, all.width(), BevelWidth), BevelLight);
    painter.fillRect(QRect(0, 0, BevelWidth, all.height()), BevelLight);
    painter.fillRect(QRect(0, all.height() - BevelWidth, all.width(), BevelWidth), BevelShadow);
    painter.fillRect(QRect(all.width() - BevelWidth, 0, BevelWidth, all.height()), BevelShadow);
}

void TChart::paintEvent(QPaintEvent* event) {
    UpdateLayout();
    const TLayerKey key = CurrentKey();
    if (fFullRedrawPending || key != fPictureKey) {
        if (fPicture.size() != size())
            fPicture = QImage(size(), QImage::Format_RGB32);
        Render(fPicture);
        fPictureKey = key;
        // Found out of date only now, by a change that asked for no redraw (a new density or
        // background colour, say): the window has asked for some columns at most.
        if (!fFullRedrawPending)
            update();
    } else if (!fPendingArea.isEmpty()) {
        RedrawArea(fPendingArea);
    }
    fRedrawPending = false;
    fFullRedrawPending = false;
    fPendingArea = QRect();
    QPainter painter(this);
    painter.drawImage(event->rect(), fPicture, event->rect());
    PaintRubberBand(painter, event->region());
}

void TChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RequestRedraw();
}
