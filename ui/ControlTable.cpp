// The main window as designed, at 120 pixels per inch. Each control has one row here and nowhere
// else: its field, parent and rectangle, then whatever else it sets. The controls are made in the
// order of the rows, so a parent's row comes before its children's, and among the children of one
// parent a control with a window of its own lies above an earlier one (labels and the picture lie
// below them all).
#include "ui/ControlTable.h"

#include "ui/ControlRow.h"

#include <array>
#include <cstddef>

namespace {

constexpr Qt::CursorShape Hand = Qt::PointingHandCursor;

constexpr TFormDesign Form1Design{
    .caption = "Quarnel Electronics WAWETable simulator",
    .clientWidth = 1177,
    .clientHeight = 714,
    .fontSize = 13,
    .cursor = Hand,
    .keyPreview = true,
    .icon = ":/icon.png",
};

// The parents.
constexpr TPanel* TForm1Components::*Window = nullptr;
constexpr auto Panel1 = &TForm1Components::Panel1;
constexpr auto Panel2 = &TForm1Components::Panel2;
constexpr auto Panel3 = &TForm1Components::Panel3;
constexpr auto Panel4 = &TForm1Components::Panel4;

constexpr TRgb Green{0, 128, 0};
constexpr TRgb LightYellow{255, 255, 200};
constexpr TRgb LightGreen{189, 255, 189};
constexpr TRgb SkyBlue{166, 202, 240};
constexpr TRgb Fuchsia{255, 0, 255};

// clang-format off
constexpr TControlRow Controls[] = {
//      control        parent   left  top width height
    ROW(Panel2,        Window,    -6, 216, 1183, 501).Tab(0).Anchors(akAll).MinHeight(50).Accessible("Chart"),
    ROW(Panel3,        Window,     8,   4, 1185, 212).Tab(1).Anchors(akLeftTopRight).Accessible("Generator"),

    ROW(Chart1,        Panel2,     0,  52, 1177, 448).Tab(0).Anchors(akAll).AxisRanges(0, 30, 0, 255).Accessible("DAC output"),
    ROW(btnZoom,       Panel2,     8,   6,   39,  22).Tab(1).Bold(13).MaxHeight(39).Caption("1:1"),
    ROW(btnClearChart, Panel2,    53,   6,   59,  24).Tab(2).Font(13).MaxHeight(39).Caption("Clear"),
    ROW(cbAutoClear,   Panel2,   118,   6,   97,  24).Tab(3).Font(13).MaxHeight(39).Caption("Auto Clear").Checked(),
    // A tick mark at every position: the marks run together into a solid strip.
    ROW(TrackBar2,     Panel2,   264,   6,  913,  40).Tab(4).Anchors(akLeftTopRight).Range(30, 10000, 255, 1).Accessible("Chart width"),
    ROW(btn256,        Panel2,   205,   6,   59,  24).Tab(5).Font(13).MaxHeight(39).Caption("256"),

    ROW(Panel1,        Panel3,     0,   8,  403, 198).Tab(0).Fill(LightYellow).Accessible("Table pointer and stepping"),
    ROW(Panel4,        Panel3,   598,  14,  167, 192).Tab(1).Fill(LightGreen).Accessible("Waveform"),
    ROW(Label5,        Panel3,   434,  63,  133,  96).Bold(20).Caption("WAWE\nTABLE\n(256 BYTES)\n------------->"),
    ROW(Label6,        Panel3,   787,  32,  167, 144).Bold(20).Caption("Wave output \non the graph\n(DAC imitation)\n"
                                                                       "--------------->>\nclick the arrow\nor click space"),
    ROW(Image1,        Panel3,   984,  48,  168, 163).Cursor(Hand).Picture(":/arrow.png").Accessible("Start or stop automatic stepping"),

    ROW(Label1,        Panel1,    13,   6,  156,  56).Bold(23).Caption("Table Pointer\nByte"),
    ROW(Label2,        Panel1,   196,  38,  103,  24).Bold(20).Caption("increment"),
    ROW(stHi,          Panel1,    13,  86,   97,  52).Tab(0).Bold(40).Text(Green).Fill(SkyBlue).Caption("000").Accessible("Table pointer"),
    ROW(Button2,       Panel1,    90,  40,   79,  25).Tab(1).Bold(17).Caption("Reset"),
    ROW(cbAuto,        Panel1,   196,   4,  189,  35).Tab(2).Bold(23).Text(Green).Fill(Fuchsia).Cursor(Hand).Caption("START  AUTO"),
    ROW(Button1,       Panel1,   196,  83,   73,  52).Tab(3).Bold(43).Cursor(Hand).Caption("+1"),
    ROW(TrackBar1,     Panel1,    13, 161,  380,  35).Tab(4).Anchors(akLeftTopRight).Range(1, 500, 500, 10).Accessible("Speed"),

    ROW(rbSin,         Panel4,    26,  18,   57,  17).Tab(0).Bold(17).Caption("SIN").Checked(),
    ROW(rbSaw,         Panel4,    26,  43,   57,  17).Tab(1).Bold(17).Caption("SAW"),
    ROW(rbRSaw,        Panel4,    26,  68,  105,  17).Tab(2).Bold(17).Caption("RSAW"),
    ROW(rbTri,         Panel4,    26,  93,  105,  17).Tab(3).Bold(17).Caption("TRI"),
    ROW(rbSqr,         Panel4,    26, 120,  105,  17).Tab(4).Bold(17).Caption("SQR"),
    ROW(rbEcg,         Panel4,    26, 143,   57,  17).Tab(5).Bold(17).Caption("ECG"),
};

constexpr TClockRow Clocks[] = {
    CLOCK(Timer1, 100), // FormCreate stops it and sets its interval from the speed slider
    CLOCK(Timer2, 300),
};
// clang-format on

// Every field of the window is made by exactly one row, except Series1, which Chart1 makes.
constexpr auto MadeFields = [] {
    std::array<std::size_t, std::size(Controls) + std::size(Clocks) + 1> fields{};
    std::size_t i = 0;
    for (const TControlRow& row : Controls)
        fields[i++] = row.field;
    for (const TClockRow& clock : Clocks)
        fields[i++] = clock.field;
    fields[i] = offsetof(TForm1Components, Series1);
    return fields;
}();
constexpr std::size_t FieldCount = sizeof(TForm1Components) / sizeof(void*);
// On failure the comparison shows the place of the field, counting from 0 in TForm1Components,
// that has no row or more than one.
static_assert(FirstFieldNotMadeOnce(MadeFields, FieldCount) == FieldCount,
              "a field of TForm1Components has no row in the control table, or more than one");

} // namespace

const TFormDesign& FormDesign() {
    return Form1Design;
}

std::span<const TControlRow> ControlTable() {
    return Controls;
}

std::span<const TClockRow> ClockTable() {
    return Clocks;
}
