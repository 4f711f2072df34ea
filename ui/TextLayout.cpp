#include "ui/TextLayout.h"

#include <QByteArray>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

// Fields of the OS/2 table: usWinAscent and usWinDescent, in font units.
constexpr int WinAscent = 74;
constexpr int WinDescent = 76;

int U16(const QByteArray& table, int at) {
    return (uchar(table[at]) << 8) | uchar(table[at + 1]);
}

int Pixels(double fontUnits, const QRawFont& raw) {
    return int(std::lround(fontUnits * raw.pixelSize() / raw.unitsPerEm()));
}

// The glyphs of one line and where each one starts, from x = 0 on the baseline.
struct TLine {
    QGlyphRun run;
    int width = 0;
};

TLine Lay(const QRawFont& raw, const QString& text) {
    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    TLine line;
    for (const QPointF& advance : advances) {
        positions.append(QPointF(line.width, 0));
        line.width += int(std::lround(advance.x()));
    }
    line.run.setRawFont(raw);
    line.run.setGlyphIndexes(glyphs);
    line.run.setPositions(positions);
    return line;
}

TLineMetrics MetricsOf(const QRawFont& raw) {
    const QByteArray os2 = raw.fontTable("OS/2");
    if (os2.size() >= WinDescent + 2 && raw.unitsPerEm() > 0)
        return {Pixels(U16(os2, WinAscent), raw), Pixels(U16(os2, WinDescent), raw)};
    // A face without Windows metrics keeps its own.
    return {int(std::lround(raw.ascent())), int(std::lround(raw.descent()))};
}

} // namespace

TLineMetrics LineMetrics(const QFont& font) {
    return MetricsOf(QRawFont::fromFont(font));
}

QSize CaptionSize(const QFont& font, const QString& caption) {
    const QRawFont raw = QRawFont::fromFont(font);
    const QStringList lines = caption.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, Lay(raw, line).width);
    return QSize(width, int(lines.size()) * MetricsOf(raw).Pitch());
}

void DrawCaption(QPainter& painter, const QRect& rect, int alignment, const QString& caption) {
    // The raw font carries the painter's font engine, synthetic emboldening included.
    const QRawFont raw = QRawFont::fromFont(painter.font());
    const TLineMetrics metrics = MetricsOf(raw);
    const QStringList lines = caption.split(QLatin1Char('\n'));
    const int height = int(lines.size()) * metrics.Pitch();
    int top = rect.top();
    if (alignment & Qt::AlignBottom)
        top = rect.bottom() + 1 - height;
    else if (alignment & Qt::AlignVCenter)
        top = rect.top() + (rect.height() - height) / 2;
    for (const QString& text : lines) {
        const TLine line = Lay(raw, text);
        int left = rect.left();
        if (alignment & Qt::AlignRight)
            left = rect.right() + 1 - line.width;
        else if (alignment & Qt::AlignHCenter)
            left = rect.left() + (rect.width() - line.width) / 2;
        if (!line.run.glyphIndexes().isEmpty())
            painter.drawGlyphRun(QPointF(left, top + metrics.ascent), line.run);
        top += metrics.Pitch();
    }
}
