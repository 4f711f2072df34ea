// What one row of the control table says about a control of the main window, and how the window's
// components are made from the rows. The rows themselves are in ControlTable.cpp.
#pragma once

#include "chart/Chart.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Image.h"
#include "ui/IntervalTimer.h"
#include "ui/LayoutRules.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"
#include "ui/StaticText.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QLabel>
#include <cstddef>
#include <span>
#include <type_traits>
#include <vector>

// A colour of the design, red, green and blue; r < 0 stands for the platform's colour.
struct TRgb {
    int r = -1, g = 0, b = 0;
    constexpr bool IsSet() const { return r >= 0; }
};

struct TControlRow;
using TMakeControl = QWidget* (*)(TForm1Components& form, QWidget* parent, const TControlRow& row);

// One control as designed. Positions, sizes and font sizes are pixels at the design density,
// relative to the parent's client area; the layout scales them to the monitor.
struct TControlRow {
    const char* name;  // the field's name, also the control's object name
    std::size_t field; // where the field lies in TForm1Components
    TMakeControl make; // makes the control, of its field's class, and fills the field
    TPanel* TForm1Components::*parent; // nullptr: the window itself
    int left, top, width, height;
    int tabOrder = -1; // among the parent's focusable controls; -1: none
    int fontSize = 0;  // 0: the window's font
    bool bold = false;
    TRgb text{};
    TRgb fill{};
    TAnchors anchors = akLeftTop;
    int minHeight = 0; // 0: none
    int maxHeight = 0; // 0: none
    Qt::CursorShape cursor = Qt::ArrowCursor;
    const char* caption = nullptr;
    const char* accessibleName = nullptr; // for a control whose caption does not name it
    // Start states, for the kinds of control that have them.
    bool checked = false;
    int min = 0, max = 0, position = 0, frequency = 0;
    double bottomMinimum = 0, bottomMaximum = 0, leftMinimum = 0, leftMaximum = 0;
    const char* picture = nullptr; // a resource path
};

// A row under construction, for a control of class T: each setter returns the row with one more
// value given, and the start states can only be given to the kinds of control that have them.
template <typename T> struct TRowOf : TControlRow {
    constexpr TRowOf Tab(int order) const { return With(&TRowOf::tabOrder, order); }
    constexpr TRowOf Font(int size) const { return With(&TRowOf::fontSize, size); }
    constexpr TRowOf Bold(int size) const { return Font(size).With(&TRowOf::bold, true); }
    constexpr TRowOf Text(TRgb colour) const { return With(&TRowOf::text, colour); }
    constexpr TRowOf Fill(TRgb colour) const { return With(&TRowOf::fill, colour); }
    constexpr TRowOf Anchors(TAnchors edges) const { return With(&TRowOf::anchors, edges); }
    constexpr TRowOf MinHeight(int pixels) const { return With(&TRowOf::minHeight, pixels); }
    constexpr TRowOf MaxHeight(int pixels) const { return With(&TRowOf::maxHeight, pixels); }
    constexpr TRowOf Cursor(Qt::CursorShape shape) const { return With(&TRowOf::cursor, shape); }
    constexpr TRowOf Caption(const char* text) const { return With(&TRowOf::caption, text); }
    constexpr TRowOf Accessible(const char* name) const {
        return With(&TRowOf::accessibleName, name);
    }

    constexpr TRowOf Checked() const requires std::is_base_of_v<QAbstractButton, T> {
        return With(&TRowOf::checked, true);
    }
    // Min, Max, the position, and a tick mark every `tickEvery` positions.
    constexpr TRowOf Range(int from, int to, int at,
                           int tickEvery) const requires std::is_same_v<T, TTrackBar> {
        TRowOf row = *this;
        row.min = from;
        row.max = to;
        row.position = at;
        row.frequency = tickEvery;
        return row;
    }
    // The axes' ranges as the design stores them, unchecked.
    constexpr TRowOf AxisRanges(double bottomMin, double bottomMax, double leftMin,
                                double leftMax) const requires std::is_same_v<T, TChart> {
        TRowOf row = *this;
        row.bottomMinimum = bottomMin;
        row.bottomMaximum = bottomMax;
        row.leftMinimum = leftMin;
        row.leftMaximum = leftMax;
        return row;
    }
    constexpr TRowOf Picture(const char* resource) const requires std::is_same_v<T, TImage> {
        return With(&TRowOf::picture, resource);
    }

private:
    template <typename V> constexpr TRowOf With(V TControlRow::*member, V value) const {
        TRowOf row = *this;
        row.*member = value;
        return row;
    }
};

// A design-time start state of a control, applied before any handler is attached.
void ApplyStartState(QWidget& control, const TControlRow& row);
void ApplyStartState(TCheckBox& control, const TControlRow& row);
void ApplyStartState(TRadioButton& control, const TControlRow& row);
void ApplyStartState(TTrackBar& control, const TControlRow& row);
void ApplyStartState(TChart& control, const TControlRow& row);
void ApplyStartState(TImage& control, const TControlRow& row);
// The name, caption, colours and accessible name of any control.
void Describe(QWidget& control, const TControlRow& row);

// The class of the control that a field of TForm1Components points to.
template <auto Field>
using TFieldClass = std::remove_pointer_t<
    std::remove_reference_t<decltype(std::declval<TForm1Components&>().*Field)>>;

template <auto Field>
QWidget* MakeControl(TForm1Components& form, QWidget* parent, const TControlRow& row) {
    auto* control = new TFieldClass<Field>(parent);
    form.*Field = control;
    Describe(*control, row);
    ApplyStartState(*control, row);
    return control;
}

template <auto Field>
constexpr auto Row(const char* name, std::size_t field, TPanel* TForm1Components::*parent, int left,
                   int top, int width, int height) {
    TRowOf<TFieldClass<Field>> row{};
    row.name = name;
    row.field = field;
    row.make = &MakeControl<Field>;
    row.parent = parent;
    row.left = left;
    row.top = top;
    row.width = width;
    row.height = height;
    return row;
}

// A row for the field `field` of TForm1Components, named after it.
#define ROW(field, parent, left, top, width, height)                                               \
    Row<&TForm1Components::field>(#field, offsetof(TForm1Components, field), parent, left, top,    \
                                  width, height)

// A clock, which has no place on screen: its interval in milliseconds; it starts enabled.
struct TClockRow {
    const char* name;
    std::size_t field;
    TIntervalTimer* TForm1Components::*timer;
    int interval;
};

constexpr TClockRow Clock(const char* name, std::size_t field,
                          TIntervalTimer* TForm1Components::*timer, int interval) {
    return {name, field, timer, interval};
}

#define CLOCK(field, interval)                                                                     \
    Clock(#field, offsetof(TForm1Components, field), &TForm1Components::field, interval)

// The window itself; its client size and font size are pixels at the design density.
struct TFormDesign {
    const char* caption;
    int clientWidth, clientHeight;
    int fontSize;
    Qt::CursorShape cursor; // shows only where the window's own background is visible
    bool keyPreview;
    const char* icon; // a resource path
};

// A control made from its row.
struct TMadeControl {
    const TControlRow* row;
    QWidget* control;
};

// Makes the controls of `rows` in their order, each under its parent, which an earlier row must
// have made, and fills their fields in `form`. A row whose parent is not made yet stops the start
// with an error naming the control.
std::vector<TMadeControl> MakeControls(TForm1Components& form, QWidget& window,
                                       std::span<const TControlRow> rows);
void MakeClocks(TForm1Components& form, QObject& window, std::span<const TClockRow> clocks);
// The window's caption, icon, cursor and key preview.
void ApplyFormDesign(TForm& window, const TFormDesign& design);

// The place, counting from 0, of the first field of a struct of `fieldCount` pointers that the
// field offsets in `made` leave out or name more than once; fieldCount when each is named once.
constexpr std::size_t FirstFieldNotMadeOnce(std::span<const std::size_t> made,
                                            std::size_t fieldCount) {
    for (std::size_t place = 0; place < fieldCount; ++place) {
        std::size_t times = 0;
        for (std::size_t offset : made)
            times += offset == place * sizeof(void*) ? 1 : 0;
        if (times != 1)
            return place;
    }
    return fieldCount;
}
