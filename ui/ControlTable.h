// The design of the main window: the window itself, one row per control and one per clock.
#pragma once

#include <span>

struct TClockRow;
struct TControlRow;
struct TFormDesign;

const TFormDesign& FormDesign();
// Parents come before their children, and each parent's children in their stacking order.
std::span<const TControlRow> ControlTable();
std::span<const TClockRow> ClockTable();
