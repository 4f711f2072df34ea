#include "ui/Layout.h"

#include "ui/ArrowFocus.h"
#include "ui/Image.h"
#include "ui/Panel.h"
#include "ui/Placement.h"
#include "ui/TrackBar.h"
#include "ui/WindowIcon.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <map>

// Outside any namespace, as the resource system requires.
static void InitAssets() {
    Q_INIT_RESOURCE(assets);
}

namespace {

enum class TKind {
    Panel,
    Label,
    StaticText,
    Button,
    CheckBox,
    RadioButton,
    TrackBar,
    Chart,
    Image
};

enum TAnchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
constexpr unsigned akLeftTop = akLeft | akTop;
constexpr unsigned akLeftTopRight = akLeft | akTop | akRight;
constexpr unsigned akAll = akLeft | akTop | akRight | akBottom;

// A colour given in the table; r < 0 means "the platform's colour".
struct TRgb {
    int r = -1, g = 0, b = 0;
    bool IsSet() const { return r >= 0; }
    QColor ToColor() const { return QColor(r, g, b); }
};
constexpr TRgb Green{0, 128, 0};

// The window itself.
constexpr const char* FormCaption = "Quarnel Electronics WAWETable simulator";
constexpr int FormClientWidth = 1177;
constexpr int FormClientHeight = 714;
constexpr int FormFontSize = 13;

} // namespace

struct TLayoutEntry {
    const char* name;
    const char* parent; // nullptr: the window
    TKind kind;
    int left, top, width, height; // pixels at the design density, relative to the parent
    const char* caption = nullptr;
    int fontSize = 0; // em height in pixels at the design density; 0: the window's font
    bool bold = false;
    TRgb text{};
    TRgb fill{};
    int tabOrder = -1; // among the parent's focusable controls; -1: none
    unsigned anchors = akLeftTop;
    int minHeight = 0;
    int maxHeight = 0;
    Qt::CursorShape cursor = Qt::ArrowCursor;
};

namespace {

using K = TKind;

// Parents come before their children, and each parent's children in their stacking order: a
// control with a window of its own lies above an earlier one, and above every label and picture.
const TLayoutEntry Table[] = {
    {.name = "Panel2",
     .parent = nullptr,
     .kind = K::Panel,
     .left = -6,
     .top = 216,
     .width = 1183,
     .height = 501,
     .tabOrder = 0,
     .anchors = akAll,
     .minHeight = 50},
    {.name = "Panel3",
     .parent = nullptr,
     .kind = K::Panel,
     .left = 8,
     .top = 4,
     .width = 1185,
     .height = 212,
     .tabOrder = 1,
     .anchors = akLeftTopRight},

    {.name = "Chart1",
     .parent = "Panel2",
     .kind = K::Chart,
     .left = 0,
     .top = 52,
     .width = 1177,
     .height = 448,
     .tabOrder = 0,
     .anchors = akAll},
    {.name = "btnZoom",
     .parent = "Panel2",
     .kind = K::Button,
     .left = 8,
     .top = 6,
     .width = 39,
     .height = 22,
     .caption = "1:1",
     .fontSize = 13,
     .bold = true,
     .tabOrder = 1,
     .maxHeight = 39},
    {.name = "btnClearChart",
     .parent = "Panel2",
     .kind = K::Button,
     .left = 53,
     .top = 6,
     .width = 59,
     .height = 24,
     .caption = "Clear",
     .fontSize = 13,
     .tabOrder = 2,
     .maxHeight = 39},
    {.name = "cbAutoClear",
     .parent = "Panel2",
     .kind = K::CheckBox,
     .left = 118,
     .top = 6,
     .width = 97,
     .height = 24,
     .caption = "Auto Clear",
     .fontSize = 13,
     .tabOrder = 3,
     .maxHeight = 39},
    {.name = "TrackBar2",
     .parent = "Panel2",
     .kind = K::TrackBar,
     .left = 264,
     .top = 6,
     .width = 913,
     .height = 40,
     .tabOrder = 4,
     .anchors = akLeftTopRight},
    {.name = "btn256",
     .parent = "Panel2",
     .kind = K::Button,
     .left = 205,
     .top = 6,
     .width = 59,
     .height = 24,
     .caption = "256",
     .fontSize = 13,
     .tabOrder = 5,
     .maxHeight = 39},

    {.name = "Panel1",
     .parent = "Panel3",
     .kind = K::Panel,
     .left = 0,
     .top = 8,
     .width = 403,
     .height = 198,
     .fill = {255, 255, 200},
     .tabOrder = 0},
    {.name = "Panel4",
     .parent = "Panel3",
     .kind = K::Panel,
     .left = 598,
     .top = 14,
     .width = 167,
     .height = 192,
     .fill = {189, 255, 189},
     .tabOrder = 1},
    {.name = "Label5",
     .parent = "Panel3",
     .kind = K::Label,
     .left = 434,
     .top = 63,
     .width = 133,
     .height = 96,
     .caption = "WAWE\nTABLE\n(256 BYTES)\n------------->",
     .fontSize = 20,
     .bold = true},
    {.name = "Label6",
     .parent = "Panel3",
     .kind = K::Label,
     .left = 787,
     .top = 32,
     .width = 167,
     .height = 144,
     .caption = "Wave output \non the graph\n(DAC imitation)\n--------------->>\n"
                "click the arrow\nor click space",
     .fontSize = 20,
     .bold = true},
    {.name = "Image1",
     .parent = "Panel3",
     .kind = K::Image,
     .left = 984,
     .top = 48,
     .width = 168,
     .height = 163,
     .cursor = Qt::PointingHandCursor},

    {.name = "Label1",
     .parent = "Panel1",
     .kind = K::Label,
     .left = 13,
     .top = 6,
     .width = 156,
     .height = 56,
     .caption = "Table Pointer\nByte",
     .fontSize = 23,
     .bold = true},
    {.name = "Label2",
     .parent = "Panel1",
     .kind = K::Label,
     .left = 196,
     .top = 38,
     .width = 103,
     .height = 24,
     .caption = "increment",
     .fontSize = 20,
     .bold = true},
    {.name = "stHi",
     .parent = "Panel1",
     .kind = K::StaticText,
     .left = 13,
     .top = 86,
     .width = 97,
     .height = 52,
     .caption = "000",
     .fontSize = 40,
     .bold = true,
     .text = Green,
     .fill = {166, 202, 240},
     .tabOrder = 0},
    {.name = "Button2",
     .parent = "Panel1",
     .kind = K::Button,
     .left = 90,
     .top = 40,
     .width = 79,
     .height = 25,
     .caption = "Reset",
     .fontSize = 17,
     .bold = true,
     .tabOrder = 1},
    {.name = "cbAuto",
     .parent = "Panel1",
     .kind = K::CheckBox,
     .left = 196,
     .top = 4,
     .width = 189,
     .height = 35,
     .caption = "START  AUTO",
     .fontSize = 23,
     .bold = true,
     .text = Green,
     .fill = {255, 0, 255},
     .tabOrder = 2,
     .cursor = Qt::PointingHandCursor},
    {.name = "Button1",
     .parent = "Panel1",
     .kind = K::Button,
     .left = 196,
     .top = 83,
     .width = 73,
     .height = 52,
     .caption = "+1",
     .fontSize = 43,
     .bold = true,
     .tabOrder = 3,
     .cursor = Qt::PointingHandCursor},
    {.name = "TrackBar1",
     .parent = "Panel1",
     .kind = K::TrackBar,
     .left = 13,
     .top = 161,
     .width = 380,
     .height = 35,
     .tabOrder = 4,
     .anchors = akLeftTopRight},

    {.name = "rbSin",
     .parent = "Panel4",
     .kind = K::RadioButton,
     .left = 26,
     .top = 18,
     .width = 57,
     .height = 17,
     .caption = "SIN",
     .fontSize = 17,
     .bold = true,
     .tabOrder = 0},
    {.name = "rbSaw",
     .parent = "Panel4",
     .kind = K::RadioButton,
     .left = 26,
     .top = 43,
     .width = 57,
     .height = 17,
     .caption = "SAW",
     .fontSize = 17,
     .bold = true,
     .tabOrder = 1},
    {.name = "rbRSaw",
     .parent = "Panel4",
     .kind = K::RadioButton,
     .left = 26,
     .top = 68,
     .width = 105,
     .height = 17,
     .caption = "RSAW",
     .fontSize = 17,
     .bold = true,
     .tabOrder = 2},
    {.name = "rbTri",
     .parent = "Panel4",
     .kind = K::RadioButton,
     .left = 26,
     .top = 93,
     .width = 105,
     .height = 17,
     .caption = "TRI",
     .fontSize = 17,
     .bold = true,
     .tabOrder = 3},
    {.name = "rbSqr",
     .parent = "Panel4",
     .kind = K::RadioButton,
     .left = 26,
     .top = 120,
     .width = 105,
     .height = 17,
     .caption = "SQR",
     .fontSize = 17,
     .bold = true,
     .tabOrder = 4},
    {.name = "rbEcg",
     .parent = "Panel4",
     .kind = K::RadioButton,
     .left = 26,
     .top = 143,
     .width = 57,
     .height = 17,
     .caption = "ECG",
     .fontSize = 17,
     .bold = true,
     .tabOrder = 5},
};

// Labels and the picture are drawn by their parent; every other control has a window of its own.
bool HasOwnWindow(TKind kind) {
    return kind != TKind::Label && kind != TKind::Image;
}

QFont LayoutFont(int pixelSize, bool bold) {
    QFont font(LayoutFontFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(bold);
    return font;
}

// The table's focusable controls of one parent, in tab order.
std::vector<const TLayoutEntry*> TabOrderOf(const char* parent) {
    std::vector<const TLayoutEntry*> result;
    for (const TLayoutEntry& entry : Table)
        if (entry.tabOrder >= 0 && ((parent == nullptr && entry.parent == nullptr) ||
                                    (parent && entry.parent && qstrcmp(parent, entry.parent) == 0)))
            result.push_back(&entry);
    std::stable_sort(result.begin(), result.end(),
                     [](auto* a, auto* b) { return a->tabOrder < b->tabOrder; });
    return result;
}

// The whole window's tab order: each panel followed at once by its own children.
void AppendTabChain(const char* parent, std::vector<const TLayoutEntry*>& chain) {
    for (const TLayoutEntry* entry : TabOrderOf(parent)) {
        chain.push_back(entry);
        AppendTabChain(entry->name, chain);
    }
}

} // namespace

int ScaleLength(int v, int to, int from) {
    const long long n = static_cast<long long>(v) * to;
    const long long q = (std::llabs(n) * 2 + from) / (2LL * from); // half away from zero
    return static_cast<int>(n < 0 ? -q : q);
}

QRect ScaleEdges(const QRect& r, int to, int from) {
    const int left = ScaleLength(r.x(), to, from);
    const int top = ScaleLength(r.y(), to, from);
    const int right = ScaleLength(r.x() + r.width(), to, from);
    const int bottom = ScaleLength(r.y() + r.height(), to, from);
    return QRect(left, top, right - left, bottom - top);
}

QPoint DesktopCentre(const QRect& desktop, const QSize& outer) {
    // Integer division truncates, as the centring rule expects.
    const int left = desktop.x() + desktop.width() / 2 - outer.width() / 2;
    const int top = desktop.y() + desktop.height() / 2 - outer.height() / 2;
    return QPoint(std::max(left, desktop.x()), std::max(top, desktop.y()));
}

QString LayoutFontFamily() {
    static const QString family = [] {
        const QString tahoma = QStringLiteral("Tahoma");
        if (QFontDatabase::families().contains(tahoma, Qt::CaseInsensitive))
            return tahoma;
        // Wine's copy of the face lies in a folder that fontconfig does not scan. Only its regular
        // face is taken: Wine's bold file has bold widths but regular-weight strokes, whereas the
        // regular face emboldened by the rasteriser looks like the real bold.
        const bool loaded = QFontDatabase::addApplicationFont(
                                QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")) >= 0;
        if (loaded && QFontDatabase::families().contains(tahoma, Qt::CaseInsensitive))
            return tahoma;
        for (const char* other : {"DejaVu Sans", "Liberation Sans", "Arial"})
            if (QFontDatabase::families().contains(QString::fromLatin1(other)))
                return QString::fromLatin1(other);
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

TLayout::TLayout(QWidget* form) : QObject(form), fForm(form), fArrows(new TArrowFocus(this)) {
    setObjectName(QStringLiteral("Layout"));
    InitAssets();
    new TPlacement(form); // the window's Position: poDesktopCenter
}

int TLayout::MonitorDensity(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    return screen ? qRound(screen->logicalDotsPerInch()) : DesignDensity;
}

void TLayout::Place(const TLayoutEntry& entry) {
    QWidget* parent = fForm;
    if (entry.parent)
        parent = fForm->findChild<QWidget*>(QString::fromLatin1(entry.parent));
    auto* control = parent ? parent->findChild<QWidget*>(QString::fromLatin1(entry.name),
                                                         Qt::FindDirectChildrenOnly)
                           : nullptr;
    Q_ASSERT_X(control, "TLayout", entry.name);
    if (!control)
        return;

    TPlaced placed{control,
                   &entry,
                   QRect(entry.left, entry.top, entry.width, entry.height),
                   parent->size(),
                   entry.fontSize,
                   entry.minHeight,
                   entry.maxHeight,
                   TTrackBar::DefaultThumbLength};
    if (entry.minHeight > 0)
        control->setMinimumHeight(entry.minHeight);
    if (entry.maxHeight > 0)
        control->setMaximumHeight(entry.maxHeight);
    control->setGeometry(placed.anchorRect);

    if (entry.caption) {
        const QString caption = QString::fromLatin1(entry.caption);
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(caption);
        else if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(caption);
    }

    QPalette palette = control->palette();
    if (entry.text.IsSet()) {
        palette.setColor(QPalette::WindowText, entry.text.ToColor());
        palette.setColor(QPalette::ButtonText, entry.text.ToColor());
    }
    if (entry.fill.IsSet()) {
        if (auto* panel = qobject_cast<TPanel*>(control)) {
            panel->SetFill(entry.fill.ToColor());
        } else {
            palette.setColor(control->backgroundRole(), entry.fill.ToColor());
            control->setAutoFillBackground(true);
        }
    }
    control->setPalette(palette);

    switch (entry.kind) {
    case TKind::Panel:
    case TKind::Label:
    case TKind::StaticText:
    case TKind::Image:
        control->setFocusPolicy(Qt::NoFocus);
        break;
    case TKind::Button:
    case TKind::CheckBox:
    case TKind::TrackBar:
        control->setFocusPolicy(Qt::StrongFocus);
        break;
    case TKind::RadioButton: // a tab stop only while checked: the adapter keeps that
    case TKind::Chart:       // the chart takes its own keys and focus
        break;
    }

    if (auto* image = qobject_cast<TImage*>(control))
        image->SetPicture(QImage(QStringLiteral(":/arrow.png")));

    // A control that names no cursor shows the arrow rather than its parent's; the chart may
    // have set its own already.
    if (entry.kind != TKind::Chart || !control->testAttribute(Qt::WA_SetCursor))
        control->setCursor(entry.cursor);
    if (entry.cursor != Qt::ArrowCursor)
        control->installEventFilter(this); // back to the arrow while disabled

    if (entry.anchors & (akRight | akBottom))
        parent->installEventFilter(this);
    fPlaced.push_back(placed);
}

void TLayout::Load(int density) {
    fAnchorsSuspended = true;
    fPlaced.clear();
    fDensity = DesignDensity;
    fFormFontSize = FormFontSize;

    fForm->setWindowTitle(QString::fromLatin1(FormCaption));
    fForm->setWindowIcon(WindowIcon());
    fForm->setCursor(Qt::PointingHandCursor); // shows only in the strips of bare window
    fForm->resize(FormClientWidth, FormClientHeight);
    fForm->installEventFilter(this);
    // Every widget already paints through Qt's backing store, so painting is double-buffered
    // without any further setting.

    for (const TLayoutEntry& entry : Table)
        Place(entry);
    for (const TPlaced& placed : fPlaced)
        if (HasOwnWindow(placed.entry->kind))
            placed.control->raise();
    ApplyFonts();

    // The tab chain, and the arrow-key groups of each parent.
    std::vector<const TLayoutEntry*> chain;
    AppendTabChain(nullptr, chain);
    std::map<const TLayoutEntry*, QWidget*> controls;
    for (const TPlaced& placed : fPlaced)
        controls[placed.entry] = placed.control;
    QWidget* previous = nullptr;
    for (const TLayoutEntry* entry : chain) {
        if (entry->kind == TKind::Panel)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, controls[entry]);
        previous = controls[entry];
    }
    for (const TLayoutEntry& entry : Table) {
        if (entry.kind != TKind::Panel)
            continue;
        std::vector<QWidget*> group;
        for (const TLayoutEntry* child : TabOrderOf(entry.name))
            group.push_back(controls[child]);
        fArrows->AddGroup(std::move(group));
    }

    fAnchorsSuspended = false;
    Rescale(density);
}

void TLayout::ApplyFonts() {
    fForm->setFont(LayoutFont(fFormFontSize, false));
    for (TPlaced& placed : fPlaced) {
        if (placed.fontSize > 0)
            placed.control->setFont(LayoutFont(placed.fontSize, placed.entry->bold));
        if (auto* trackBar = qobject_cast<TTrackBar*>(placed.control))
            trackBar->SetThumbLength(placed.thumbLength);
    }
    // Labels size themselves to their text.
    for (TPlaced& placed : fPlaced)
        if (placed.entry->kind == TKind::Label)
            placed.control->resize(placed.control->sizeHint());
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
        const unsigned anchors = placed.entry->anchors;
        if (!(anchors & (akRight | akBottom)))
            continue;
        const QSize parent = placed.control->parentWidget()->size();
        QRect r = placed.control->geometry();
        const QRect& at = placed.anchorRect;
        if (anchors & akRight) {
            const int dw = parent.width() - placed.anchorParent.width();
            if (anchors & akLeft)
                r.setWidth(std::max(0, at.width() + dw));
            else
                r.moveLeft(at.left() + dw);
        }
        if (anchors & akBottom) {
            const int dh = parent.height() - placed.anchorParent.height();
            if (anchors & akTop)
                r.setHeight(std::max(0, at.height() + dh));
            else
                r.moveTop(at.top() + dh);
        }
        placed.control->setGeometry(r); // the control's own minimum and maximum still apply
    }
    fAnchorsSuspended = false;
}

void TLayout::FollowEnabled(QWidget* control) {
    for (const TPlaced& placed : fPlaced)
        if (placed.control == control)
            control->setCursor(control->isEnabled() ? placed.entry->cursor : Qt::ArrowCursor);
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
