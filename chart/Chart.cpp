#include "chart/Chart.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
constexpr int BevelWidth = 1;
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
    LayoutPlotRect();
    QPainter painter(&image);
    painter.fillRect(image.rect(), palette().color(QPalette::Button));
    fAxisPainter.Draw(painter);
    ++fFullRedrawCount;
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
