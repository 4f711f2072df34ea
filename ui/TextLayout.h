// How the window sets its captions, as the layout was designed: each glyph advances by its width
// rounded to whole pixels, without kerning, and lines are as tall as the font's Windows ascent
// plus descent, each rounded to whole pixels. (Qt's own layout adds up fractional widths and
// takes its line metrics from elsewhere, which packs Tahoma narrower and tighter.)
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

struct TLineMetrics {
    int ascent = 0;  // from a line's top to its baseline
    int descent = 0; // from the baseline to the line's bottom
    int Pitch() const { return ascent + descent; }
};

TLineMetrics LineMetrics(const QFont& font);

// The size of a caption of one or more lines ('\n' between them): its widest line by its lines.
QSize CaptionSize(const QFont& font, const QString& caption);

// Draws a caption in the painter's font and pen, placed in `rect` by the horizontal and vertical
// flags of `alignment` (Qt::Alignment); each line is aligned on its own.
void DrawCaption(QPainter& painter, const QRect& rect, int alignment, const QString& caption);
