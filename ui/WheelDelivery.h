// Where the mouse wheel's notches over the window go. The wheel reaches the control that has the
// keyboard focus, as the chart expects of its platform: while the chart has the focus, a notch
// scrolls it wherever the pointer is over the window. Otherwise a notch goes to the control under
// the pointer, as Qt sends it, so that the chart scrolls under the pointer whatever has the focus,
// and a track bar under the pointer moves.
#pragma once

class QWidget;

// Installs the rule for the window and its chart; it lives as long as the window.
void DeliverWheelToFocusedChart(QWidget& window, QWidget& chart);
