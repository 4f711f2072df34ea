// The chart's mouse and keys: the zoom drag with its rubber band, the pan drag, the wheel, and the
// requests for the context menu and for a copy. The zoom and pan decisions are TZoomPan's; this
// part turns Qt's events into its calls and paints the band.
//
// A drag needs its button's release, and the release does not always come: a popup or a modal
// window that opens mid-drag takes the mouse, and the desktop may take it from a window that it
// deactivates. Qt says so by a focus loss to a popup, by blocking the window, or by deactivating
// it; the drag is abandoned then. Where none of them reaches the chart, the next mouse event
// still shows that the drag's button went up, and the drag is abandoned there.
//
// Range changes reach the chart's redraw requests through the axes' change callback alone. The
// mouse asks for a redraw itself only where the chart redraws although no range need change: at
// the end of a zoom drag that counts, and at every undo, even with nothing to restore.
#include "chart/Chart.h"
#include "chart/ChartColors.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace {
// The rubber band's pen: silver, 3 pixels wide, centred on the rectangle's edges.
constexpr QRgb BandColor = ChartColors::Silver;
constexpr int BandHalfWidth = 1;
} // namespace

void TChart::UndoZoom() {
    fZoomPan.UndoZoom();
    RequestRedraw();
}

QRegion TChart::RubberBandRegion() const {
    if (!fRubberBandShown)
        return {};
    // The corners ordered by hand: QRect::normalized() would move a left or upper corner by a
    // pixel.
    const QRect edges(
        QPoint(std::min(fZoomPan.X0(), fZoomPan.X1()), std::min(fZoomPan.Y0(), fZoomPan.Y1())),
        QPoint(std::max(fZoomPan.X0(), fZoomPan.X1()), std::max(fZoomPan.Y0(), fZoomPan.Y1())));
    const QRect outer =
        edges.adjusted(-BandHalfWidth, -BandHalfWidth, BandHalfWidth, BandHalfWidth);
    const int inset = BandHalfWidth + 1;
    const QRect inner = edges.adjusted(inset, inset, -inset, -inset);
    return inner.isValid() ? QRegion(outer).subtracted(inner) : QRegion(outer);
}

// Each pixel D under the band shows as D xor B xor S (B the background, S silver): silver where
// the band crosses the background, and the pixel as it was once the band is gone. The band is
// inverted over the kept picture just copied to the window, so moving it only repaints the strips
// it leaves and enters.
void TChart::PaintRubberBand(QPainter& painter, const QRegion& exposed) const {
    const QRegion band = RubberBandRegion().intersected(exposed);
    if (band.isEmpty())
        return;
    const QColor invert = QColor::fromRgb((BackgroundColor().rgb() ^ BandColor) & RGB_MASK);
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const QRect& strip : band)
        painter.fillRect(strip, invert);
    painter.restore();
}

void TChart::EraseRubberBand() {
    update(RubberBandRegion());
    fRubberBandShown = false;
}

bool TChart::DragReleaseLost(const QMouseEvent& event) const {
    const Qt::MouseButton held = fZoomPan.Zooming()   ? Qt::LeftButton
                                 : fZoomPan.Panning() ? Qt::RightButton
                                                      : Qt::NoButton;
    return held != Qt::NoButton && (event.button() == held || !event.buttons().testFlag(held));
}

void TChart::AbandonDrag() {
    fMenuOnRightRelease = false;
    if (fZoomPan.Zooming()) {
        EraseRubberBand();
        fZoomPan.CancelZoom();
    } else if (fZoomPan.Panning()) {
        fZoomPan.EndPan();
    }
}

bool TChart::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowBlocked:    // by a modal window: Qt drops this window's mouse events
    case QEvent::WindowDeactivate: // the desktop may send the release to the active window
        AbandonDrag();
        break;
    case QEvent::FocusOut: // the first popup to open takes the focus and the mouse together
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
            AbandonDrag();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TChart::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    UpdateLayout(); // where a press counts, and what the drags map, is the current layout's
    if (DragReleaseLost(*event))
        AbandonDrag(); // and this press starts afresh
    const bool idle = !fZoomPan.Zooming() && !fZoomPan.Panning();
    const QPoint p = event->position().toPoint();
    // A right click anywhere on the chart, labels included, may open the menu.
    fMenuOnRightRelease = idle && event->button() == Qt::RightButton;
    fRightPressAt = p;
    if (!idle || !fZoomPan.PressCounts(p.x(), p.y()))
        return;
    // While a button is held Qt sends every move and the release to the widget it was pressed
    // on, also outside its bounds: that grab keeps both drags going off the chart.
    if (event->button() == Qt::LeftButton) {
        setCursor(Qt::ArrowCursor);
        fZoomPan.StartZoom(p.x(), p.y());
    } else if (event->button() == Qt::RightButton) {
        setCursor(Qt::ArrowCursor);
        fZoomPan.StartPan(p.x(), p.y());
    }
}

void TChart::mouseMoveEvent(QMouseEvent* event) {
    UpdateLayout();
    if (DragReleaseLost(*event))
        AbandonDrag();
    const QPoint p = event->position().toPoint();
    if (p != fRightPressAt)
        fMenuOnRightRelease = false; // a right drag pans, and opens nothing
    if (fZoomPan.Zooming()) {
        const QRegion before = RubberBandRegion();
        if (fZoomPan.MoveZoom(p.x(), p.y())) {
            fRubberBandShown = true;
            update(before.united(RubberBandRegion()));
        }
    } else if (fZoomPan.Panning()) {
        fZoomPan.MovePan(p.x(), p.y());
    }
}

void TChart::mouseReleaseEvent(QMouseEvent* event) {
    UpdateLayout();
    const QPoint p = event->position().toPoint();
    const bool openMenu = fMenuOnRightRelease && event->button() == Qt::RightButton;
    fMenuOnRightRelease = false;
    if (fZoomPan.Zooming()) {
        if (event->button() != Qt::LeftButton)
            return;
        EraseRubberBand();
        if (fZoomPan.EndZoom(p.x(), p.y()) != TZoomPan::TZoomOutcome::Nothing)
            RequestRedraw();
    } else if (fZoomPan.Panning()) {
        fZoomPan.EndPan();
    }
    if (openMenu) // last: the menu takes the mouse, and the chart is idle by then
        emit ContextMenuRequested(event->globalPosition().toPoint());
}

// Qt's own context-menu event comes at the right press on X11 and from the Menu key; at the press
// it would cut the pan short. The chart asks for its menu itself, at the release and at the keys,
// and takes Qt's event here, so that it reaches no parent either.
void TChart::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

// The keys go through the window's key preview first, as every key does; the chart then acts on
// those it offers and leaves every other key to the usual handling.
void TChart::keyPressEvent(QKeyEvent* event) {
    const bool shiftF10 = event->key() == Qt::Key_F10 &&
                          (event->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        emit CopyRequested();
    } else if (event->key() == Qt::Key_Menu || shiftF10) {
        event->accept();
        emit ContextMenuRequested(mapToGlobal(rect().center()));
    } else {
        QWidget::keyPressEvent(event);
    }
}

void TChart::wheelEvent(QWheelEvent* event) {
    fZoomPan.Wheel(event->angleDelta().y());
    event->accept();
}
