// What screen readers and other assistive tools see of the main window: a name for every control
// that has no caption of its own, the pointer display as text, and the chart as a described chart.
#pragma once

class QWidget;

// Names the window's controls (found by object name) and registers the accessible views of the
// chart, the pointer display and the arrow picture. Call once, after the controls exist and before
// the window is shown.
void InstallAccessibility(QWidget& window);
