#include "chart/Chart.h"

#include "chart/AxisPainter.h"
#include "chart/TraceRenderer.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
constexpr int BevelWidth = 1;
const QColor BevelLight(255, 255, 255);
const QColor BevelShadow(160, 160, 160);
} // namespace

TChart::TChart(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    fSeries.OnRequestRedraw = [this] { RequestRedraw(); };
    for (TChartAxis* axis : {&fBottomAxis, &fTopAxis, &fLeftAxis, &fRightAxis})
        axis->OnChange = [this] { RequestRedraw(); };
    fTopAxis.Visible = false;
    fRightAxis.Visible = false;
}

void TChart::RequestRedraw() {
    fRedrawPending = true;
    update();
}

void TChart::UpdateLayout() {
    const QRect inner = rect().adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth);
    if (!fLayout.Update(inner, logicalDpiY(), fBottomAxis, fLeftAxis, fSeries.Count()))
        return;
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
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        DrawBackground(painter);
        DrawAxes(painter, fLayout); // lines, ticks, grid and labels, under the trace
    }
    // Last, on top of everything: the trace writes the picture's pixels itself, so no painter
    // may be open on it.
    DrawTrace(image, fLayout.PlotRect(), fSeries, fBottomAxis, fLeftAxis);
    ++fFullRedrawCount;
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
    if (fRedrawPending || fPicture.size() != size()) {
        if (fPicture.size() != size())
            fPicture = QImage(size(), QImage::Format_RGB32);
        Render(fPicture);
        fRedrawPending = false;
    }
    QPainter painter(this);
    painter.drawImage(event->rect(), fPicture, event->rect());
    PaintRubberBand(painter, event->region());
}

void TChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RequestRedraw();
}
