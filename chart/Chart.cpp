#include "chart/Chart.h"

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
    // The label font follows the monitor's density, as the window's own fonts do.
    fAxisPainter.SetLabelFont(TAxisPainter::LabelFont(logicalDpiY()));
    fPlotRect = fAxisPainter.Layout(inner, fBottomAxis, fLeftAxis, fSeries.Count());
    fTopAxis.SetPixelRange(fPlotRect.left(), fPlotRect.right());
    fRightAxis.SetPixelRange(fPlotRect.top(), fPlotRect.bottom());
}

void TChart::Render(QImage& image) {
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        DrawBackground(painter);
        LayoutPlotRect();
        fAxisPainter.Draw(painter); // lines, ticks, grid and labels, under the trace
    }
    // Last, on top of everything: the trace writes the picture's pixels itself, so no painter
    // may be open on it.
    DrawTrace(image, fPlotRect, fSeries, fBottomAxis, fLeftAxis);
    ++fFullRedrawCount;
}

void TChart::DrawBackground(QPainter& painter) const {
    // The button face, as the window's own background, so the chart sits flat in its panel.
    const QRect all = rect();
    painter.fillRect(all, palette().color(QPalette::Button));
    painter.fillRect(QRect(0, 0, all.width(), BevelWidth), BevelLight);
    painter.fillRect(QRect(0, 0, BevelWidth, all.height()), BevelLight);
    painter.fillRect(QRect(0, all.height() - BevelWidth, all.width(), BevelWidth), BevelShadow);
    painter.fillRect(QRect(all.width() - BevelWidth, 0, BevelWidth, all.height()), BevelShadow);
}

void TChart::UndoZoom() {
    RequestRedraw();
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
}

void TChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RequestRedraw();
}
