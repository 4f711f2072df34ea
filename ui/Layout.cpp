#include "ui/Layout.h"

#include "ui/ArrowFocus.h"
#include "ui/ControlRow.h"
#include "ui/Fonts.h"
#include "ui/Placement.h"
#include "ui/TextLayout.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// A plain label, not static text, which is a label with a window of its own.
bool IsLabel(const QWidget* control) {
    return control->metaObject() == &QLabel::staticMetaObject;
}

// Labels and the picture are drawn by their parent; every other control has a window of its own.
bool DrawnByParent(const QWidget* control) {
    return IsLabel(control) || qobject_cast<const TImage*>(control) != nullptr;
}

} // namespace

TLayout::TLayout(QWidget* form) : QObject(form), fForm(form), fArrows(new TArrowFocus(this)) {
    setObjectName(QStringLiteral("Layout"));
    new TPlacement(form); // the window's Position: poDesktopCenter
}

int TLayout::MonitorDensity(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    return screen ? qRound(screen->logicalDotsPerInch()) : DesignDensity;
}

void TLayout::Place(const TMadeControl& made) {
    QWidget* control = made.control;
    const TControlRow& row = *made.row;
    QWidget* parent = control->parentWidget();
    TPlaced placed{control,
                   &row,
                   QRect(row.left, row.top, row.width, row.height),
                   parent->size(),
                   row.fontSize,
                   row.minHeight,
                   row.maxHeight,
                   TTrackBar::DefaultThumbLength};
    if (row.minHeight > 0)
        control->setMinimumHeight(row.minHeight);
    if (row.maxHeight > 0)
        control->setMaximumHeight(row.maxHeight);
    control->setGeometry(placed.anchorRect);

    // A control that names no cursor shows the arrow rather than its parent's; one that has set a
    // cursor of its own (the chart does) keeps it.
    if (!control->testAttribute(Qt::WA_SetCursor))
        control->setCursor(row.cursor);
    if (row.cursor != Qt::ArrowCursor)
        control->installEventFilter(this); // back to the arrow while disabled

    if (FollowsResizing(row.anchors))
        parent->installEventFilter(this);
    fPlaced.push_back(placed);
}

void TLayout::Stack() {
    for (const TPlaced& placed : fPlaced)
        if (!DrawnByParent(placed.control))
            placed.control->raise();
}

// The whole window's tab order is each panel followed at once by its own children in their tab
// order; the arrow keys move within the children of one panel.
void TLayout::ChainTabOrder() {
    const auto tabOrderOf = [this](const QWidget* parent) {
        std::vector<const TPlaced*> children;
        for (const TPlaced& placed : fPlaced)
            if (placed.row->tabOrder >= 0 && placed.control->parentWidget() == parent)
                children.push_back(&placed);
        std::stable_sort(children.begin(), children.end(),
                         [](auto* a, auto* b) { return a->row->tabOrder < b->row->tabOrder; });
        return children;
    };
    std::vector<QWidget*> chain;
    const auto append = [&](const auto& self, const QWidget* parent) -> void {
        for (const TPlaced* child : tabOrderOf(parent)) {
            if (qobject_cast<TPanel*>(child->control) == nullptr)
                chain.push_back(child->control);
            self(self, child->control);
        }
    };
    append(append, fForm);
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);

    for (const TPlaced& placed : fPlaced) {
        if (qobject_cast<TPanel*>(placed.control) == nullptr)
            continue;
        std::vector<QWidget*> group;
        for (const TPlaced* child : tabOrderOf(placed.control))
            group.push_back(child->control);
        fArrows->AddGroup(std::move(group));
    }
}

void TLayout::Load(const TFormDesign& design, const std::vector<TMadeControl>& controls,
                   int density) {
    fAnchorsSuspended = true;
    fPlaced.clear();
    fDensity = DesignDensity;
    fFormFontSize = design.fontSize;

    fForm->resize(design.clientWidth, design.clientHeight);
    fForm->installEventFilter(this);
    // Every widget already paints through Qt's backing store, so painting is double-buffered
    // without any further setting.

    for (const TMadeControl& made : controls)
        Place(made);
    Stack();
    ApplyFonts();
    ChainTabOrder();

    fAnchorsSuspended = false;
    Rescale(density);
}

void TLayout::ApplyFonts() {
    fForm->setFont(LayoutFont(fFormFontSize, false));
    for (TPlaced& placed : fPlaced) {
        if (placed.fontSize > 0)
            placed.control->setFont(LayoutFont(placed.fontSize, placed.row->bold));
        if (auto* trackBar = qobject_cast<TTrackBar*>(placed.control))
            trackBar->SetThumbLength(placed.thumbLength);
    }
    // Labels size themselves to their text, measured as it is drawn.
    for (TPlaced& placed : fPlaced)
        if (IsLabel(placed.control)) {
            const auto* label = static_cast<const QLabel*>(placed.control);
            placed.control->resize(CaptionSize(label->font(), label->text()));
        }
}

void TLayout::Rescale(int density) {
    const int from = fDensity;
    if (density == from || density < MinimumDensity)
        return;
    const auto s = [&](int v) { return ScaleLength(v, density, from); };
    fAnchorsSuspended = true;
    for (TPlaced& placed : fPlaced) {
        QWidget* control = placed.control;
        if (placed.minHeight > 0)
            control->setMinimumHeight(placed.minHeight = s(placed.minHeight));
        if (placed.maxHeight > 0)
            control->setMaximumHeight(placed.maxHeight = s(placed.maxHeight));
        control->setGeometry(ScaleEdges(control->geometry(), density, from));
        placed.anchorRect = ScaleEdges(placed.anchorRect, density, from);
        placed.anchorParent =
            QSize(s(placed.anchorParent.width()), s(placed.anchorParent.height()));
        if (placed.fontSize > 0)
            placed.fontSize = s(placed.fontSize);
        placed.thumbLength = s(placed.thumbLength);
    }
    fFormFontSize = s(fFormFontSize);
    ApplyFonts();
    fForm->resize(s(fForm->width()), s(fForm->height()));
    fDensity = density;
    fAnchorsSuspended = false;
    ApplyAnchors();
}

void TLayout::ApplyAnchors() {
    if (fAnchorsSuspended)
        return;
    fAnchorsSuspended = true; // the geometry set here raises resize events of its own
    for (const TPlaced& placed : fPlaced) {
        if (!FollowsResizing(placed.row->anchors))
            continue;
        // The control's own minimum and maximum still apply.
        placed.control->setGeometry(
            Anchored(placed.control->geometry(), placed.anchorRect, placed.anchorParent,
                     placed.control->parentWidget()->size(), placed.row->anchors));
    }
    fAnchorsSuspended = false;
}

void TLayout::FollowEnabled(QWidget* control) {
    for (const TPlaced& placed : fPlaced)
        if (placed.control == control)
            control->setCursor(control->isEnabled() ? placed.row->cursor : Qt::ArrowCursor);
}

bool TLayout::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        ApplyAnchors();
        break;
    case QEvent::EnabledChange:
        if (watched != fForm)
            FollowEnabled(static_cast<QWidget*>(watched));
        break;
    case QEvent::ScreenChangeInternal:
        if (watched == fForm)
            Rescale(MonitorDensity(fForm));
        break;
    default:
        break;
    }
    return false;
}
