#include "ui/ControlRow.h"

#include "ui/ControlStyle.h"
#include "ui/WindowIcon.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <stdexcept>
#include <string>

// Outside any namespace, as the resource system requires.
static void InitAssets() {
    Q_INIT_RESOURCE(assets);
}

namespace {

// The arrow picture and the window icon are compiled into the program as resources.
void UseAssets() {
    static const bool initialised = (InitAssets(), true);
    Q_UNUSED(initialised);
}

QColor ToColor(TRgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

} // namespace

void Describe(QWidget& control, const TControlRow& row) {
    control.setObjectName(QString::fromLatin1(row.name));
    if (row.caption) {
        control.setStyle(TControlStyle::Instance());
        const QString caption = QString::fromLatin1(row.caption);
        if (auto* button = qobject_cast<QAbstractButton*>(&control))
            button->setText(caption);
        else if (auto* label = qobject_cast<QLabel*>(&control)) {
            label->setTextFormat(Qt::PlainText);
            label->setText(caption);
        }
    }

    QPalette palette = control.palette();
    if (row.text.IsSet()) {
        palette.setColor(QPalette::WindowText, ToColor(row.text));
        palette.setColor(QPalette::ButtonText, ToColor(row.text));
    }
    if (row.fill.IsSet()) {
        if (auto* panel = qobject_cast<TPanel*>(&control)) {
            panel->SetFill(ToColor(row.fill));
        } else {
            palette.setColor(control.backgroundRole(), ToColor(row.fill));
            control.setAutoFillBackground(true);
        }
    }
    control.setPalette(palette);

    if (row.accessibleName)
        control.setAccessibleName(QString::fromLatin1(row.accessibleName));
}

void ApplyStartState(QWidget&, const TControlRow&) {}

void ApplyStartState(TCheckBox& control, const TControlRow& row) {
    control.SetChecked(row.checked);
}

void ApplyStartState(TRadioButton& control, const TControlRow& row) {
    control.setChecked(row.checked);
}

void ApplyStartState(TTrackBar& control, const TControlRow& row) {
    control.SetRange(row.min, row.max);
    control.SetPosition(row.position);
    control.SetFrequency(row.frequency);
}

void ApplyStartState(TChart& control, const TControlRow& row) {
    control.BottomAxis().StoreRange(row.bottomMinimum, row.bottomMaximum);
    control.LeftAxis().StoreRange(row.leftMinimum, row.leftMaximum);
}

void ApplyStartState(TImage& control, const TControlRow& row) {
    UseAssets();
    control.SetPicture(QImage(QString::fromLatin1(row.picture)));
}

std::vector<TMadeControl> MakeControls(TForm1Components& form, QWidget& window,
                                       std::span<const TControlRow> rows) {
    std::vector<TMadeControl> made;
    made.reserve(rows.size());
    for (const TControlRow& row : rows) {
        QWidget* parent = row.parent ? form.*row.parent : &window;
        if (parent == nullptr)
            throw std::logic_error(std::string(row.name) +
                                   ": its parent's row must come before it in the control table");
        made.push_back({&row, row.make(form, parent, row)});
    }
    return made;
}

void MakeClocks(TForm1Components& form, QObject& window, std::span<const TClockRow> clocks) {
    for (const TClockRow& clock : clocks) {
        auto* timer = new TIntervalTimer(&window);
        timer->setObjectName(QString::fromLatin1(clock.name));
        timer->SetInterval(clock.interval);
        form.*clock.timer = timer;
    }
}

void ApplyFormDesign(TForm& window, const TFormDesign& design) {
    UseAssets();
    window.setWindowTitle(QString::fromLatin1(design.caption));
    window.setWindowIcon(WindowIcon(QString::fromLatin1(design.icon)));
    window.setCursor(design.cursor);
    window.KeyPreview = design.keyPreview;
}
