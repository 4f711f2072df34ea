#include "chart/Chart.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
// Room kept for the axes' labels until the axes lay out their own bands.
constexpr int ProvisionalLeftBand = 40;
constexpr int ProvisionalBottomBand = 24;
constexpr int BevelWidth = 1;
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

void TChart::LayoutPlotRect() {
    const QRect inner = rect().adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth);
    fPlotRect = inner.adjusted(ProvisionalLeftBand, 8, -8, -ProvisionalBottomBand);
    fBottomAxis.SetPixelRange(fPlotRect.left(), fPlotRect.right());
    fTopAxis.SetPixelRange(fPlotRect.left(), fPlotRect.right());
    fLeftAxis.SetPixelRange(fPlotRect.top(), fPlotRect.bottom());
    fRightAxis.SetPixelRange(fPlotRect.top(), fPlotRect.bottom());
}

void TChart::Render(QImage& image) {
    LayoutPlotRect();
    QPainter painter(&image);
    painter.fillRect(image.rect(), palette().color(QPalette::Button));
    ++fFullRedrawCount;
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
