// The rules by which the window's layout, designed at 120 pixels per inch, follows the monitor's
// density and the size of each parent, and where the window goes when it is first shown.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The density every position, size and font size of the layout is given at.
constexpr int DesignDensity = 120;
// Densities below this scale nothing.
constexpr int MinimumDensity = 30;

// v × to / from, rounded to the nearest integer with halves away from zero.
int ScaleLength(int v, int to, int from);
// A rectangle scaled by its edges, so that controls that touch keep touching.
QRect ScaleEdges(const QRect& r, int to, int from);

// The edges of its parent whose distance a control keeps when the parent is resized.
enum TAnchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;
constexpr TAnchors akLeftTop = akLeft | akTop;
constexpr TAnchors akLeftTopRight = akLeft | akTop | akRight;
constexpr TAnchors akAll = akLeft | akTop | akRight | akBottom;

// Whether a parent's resizing can move or resize a control with these anchors.
constexpr bool FollowsResizing(TAnchors anchors) {
    return (anchors & (akRight | akBottom)) != 0;
}

// Where an anchored control goes in a parent of size `parent`: `current` with its right and bottom
// edges worked out from `atRecorded`, the control's rectangle when the parent had the size
// `parentRecorded`. A width or height never goes below 0.
QRect Anchored(const QRect& current, const QRect& atRecorded, const QSize& parentRecorded,
               const QSize& parent, TAnchors anchors);

// The top-left corner that centres a window of the given outer size on the desktop, never left of
// or above the desktop.
QPoint DesktopCentre(const QRect& desktop, const QSize& outer);
