// What screen readers and other assistive tools see of the main window beyond the names the
// control table gives: the pointer display as text, the chart as a described chart, and the arrow
// picture as a button.
#pragma once

class QWidget;

// Registers the accessible views of the chart, the pointer display and the arrow picture. Call
// once, after the controls exist and before the window is shown.
void InstallAccessibility(QWidget& window);
