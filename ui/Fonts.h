// The face every text of the window is set in, Tahoma, and the one place where the program finds
// and registers its font files. (The chart's axis labels use a face of their own.)
#pragma once

#include <QFont>
#include <QString>

// Tahoma where it can be had, else a common sans face. The first call registers the font files
// the window needs.
QString LayoutFontFamily();

// The window's face at a size in pixels, regular or bold, unhinted.
QFont LayoutFont(int pixelSize, bool bold);
