#include "chart/TraceRenderer.h"

#include "chart/StairGeometry.h"

#include <QPainter>
#include <algorithm>
#include <climits>
#include <vector>

QRect TraceClipRect(const QRect& plot) {
    // Pixel coordinates name pixel corners: the edge x = L lies between columns L - 1 and L.
    const int left = plot.left() + 1;
    const int right = plot.right();
    const int top = plot.top() - 1;
    const int bottom = plot.bottom() + 1;
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void DrawTraceStrokeByStroke(QImage& picture, const QRect& plot, const TChartSeries& series,
                             const TChartAxis& bottom, const TChartAxis& left) {
    QPainter painter(&picture);
    painter.setClipRect(TraceClipRect(plot));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(
        QPen(QColor::fromRgb(TraceStyle::Color), TraceStyle::Width, Qt::SolidLine, Qt::RoundCap));
    ForEachStroke(series, bottom, left, [&](TPixelPoint from, TPixelPoint to) {
        painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
    });
}

namespace {

// The trace's strokes gathered per pixel column. A 3-pixel round-capped stroke centred on pixel
// corners inks, across its width, one half-covered pixel, two full ones and one half-covered
// again; a round end adds one partly covered pixel beyond the full ones. Because the stair line
// only ever moves right, the strokes touching a column form one connected piece, so each column
// is one full run with a partly covered run above and below it.
class TColumnCoverage {
public:
    // Keeps the columns of clip, and the stroke positions one or two pixels beyond it that still
    // reach into it.
    explicit TColumnCoverage(const QRect& clip)
        : fFirstColumn(clip.left()), fLastColumn(clip.right()), fFirstX(clip.left() - 1),
          fLastX(clip.right() + 2), fLow(Size(fFirstX, fLastX), INT_MAX),
          fHigh(Size(fFirstX, fLastX), INT_MIN), fLevel(Size(fFirstColumn, fLastColumn), NoLevel) {}

    void Stroke(TPixelPoint from, TPixelPoint to) {
        if (from.y == to.y) {
            const int x0 = std::min(from.x, to.x);
            const int x1 = std::max(from.x, to.x);
            for (int x = std::max(x0, fFirstX); x <= std::min(x1, fLastX); ++x)
                Touch(x, from.y, from.y);
            for (int c = std::max(x0, fFirstColumn); c <= std::min(x1 - 1, fLastColumn); ++c)
                fLevel[c - fFirstColumn] = from.y;
        } else if (from.x >= fFirstX && from.x <= fLastX) {
            Touch(from.x, std::min(from.y, to.y), std::max(from.y, to.y));
        }
    }

    // The runs of column c, as rows first..last: full is empty (first > last) where the column
    // is only partly covered, and partial is empty where the trace does not reach it.
    struct TRuns {
        int partialFirst = INT_MAX;
        int fullFirst = INT_MAX;
        int fullLast = INT_MIN;
        int partialLast = INT_MIN;
        friend bool operator==(const TRuns&, const TRuns&) = default;
    };

    TRuns Column(int c) const {
        TRuns runs;
        // Fully covered: the stroke across the column, and vertical strokes on either of its sides
        // with their round ends.
        for (int x : {c, c + 1}) {
            if (Touched(x)) {
                runs.fullFirst = std::min(runs.fullFirst, Low(x) - 1);
                runs.fullLast = std::max(runs.fullLast, High(x));
            }
        }
        if (const int level = fLevel[c - fFirstColumn]; level != NoLevel) {
            runs.fullFirst = std::min(runs.fullFirst, level - 1);
            runs.fullLast = std::max(runs.fullLast, level);
        }
        if (runs.fullFirst <= runs.fullLast) {
            runs.partialFirst = runs.fullFirst - 1;
            runs.partialLast = runs.fullLast + 1;
        }
        // Half covered: vertical strokes one pixel further away.
        for (int x : {c - 1, c + 2}) {
            if (Touched(x)) {
                runs.partialFirst = std::min(runs.partialFirst, Low(x) - 1);
                runs.partialLast = std::max(runs.partialLast, High(x));
            }
        }
        return runs;
    }

    int FirstColumn() const { return fFirstColumn; }
    int LastColumn() const { return fLastColumn; }

private:
    static constexpr int NoLevel = INT_MIN;
    static std::size_t Size(int first, int last) {
        return static_cast<std::size_t>(std::max(0, last - first + 1));
    }

    void Touch(int x, int y0, int y1) {
        const std::size_t i = static_cast<std::size_t>(x - fFirstX);
        fLow[i] = std::min(fLow[i], y0);
        fHigh[i] = std::max(fHigh[i], y1);
    }
    bool Touched(int x) const { return fLow[static_cast<std::size_t>(x - fFirstX)] != INT_MAX; }
    int Low(int x) const { return fLow[static_cast<std::size_t>(x - fFirstX)]; }
    int High(int x) const { return fHigh[static_cast<std::size_t>(x - fFirstX)]; }

    int fFirstColumn;
    int fLastColumn;
    int fFirstX;
    int fLastX;
    std::vector<int> fLow;   // per pixel corner x: the highest row the line's centre reaches there
    std::vector<int> fHigh;  // ... and the lowest
    std::vector<int> fLevel; // per column: the row of the horizontal stroke across it
};

// Writes the runs of the columns first..last, all alike, within the clip's rows, straight into
// the picture's pixels: a general rasteriser spends far more on a one-pixel-wide run than on its
// pixels.
class TRunWriter {
public:
    TRunWriter(QImage& picture, const QRect& clip)
        : fBits(picture.bits()), fStride(picture.bytesPerLine()), fClip(clip) {}

    void Write(const TColumnCoverage::TRuns& runs, int first, int last) {
        if (runs.fullFirst > runs.fullLast) {
            Blend(runs.partialFirst, runs.partialLast, first, last);
            return;
        }
        Blend(runs.partialFirst, runs.fullFirst - 1, first, last);
        Fill(runs.fullFirst, runs.fullLast, first, last);
        Blend(runs.fullLast + 1, runs.partialLast, first, last);
    }

private:
    template <typename TPixelOp>
    void ForEachPixel(int row0, int row1, int first, int last, TPixelOp op) {
        row0 = std::max(row0, fClip.top());
        row1 = std::min(row1, fClip.bottom());
        for (int y = row0; y <= row1; ++y) {
            auto* line = reinterpret_cast<QRgb*>(fBits + y * fStride);
            for (int x = first; x <= last; ++x)
                op(line[x]);
        }
    }
    void Fill(int row0, int row1, int first, int last) {
        ForEachPixel(row0, row1, first, last, [](QRgb& pixel) { pixel = Opaque; });
    }
    // Antialiased edge pixels are, to the eye and within a few per cent, half covered: the
    // average of the pen's colour and what lies beneath, per channel and rounded up, so that an
    // opaque pixel stays opaque (premultiplied, the alpha channel averages alike).
    void Blend(int row0, int row1, int first, int last) {
        ForEachPixel(row0, row1, first, last, [](QRgb& pixel) {
            pixel = (pixel | Opaque) - (((pixel ^ Opaque) >> 1) & 0x7f7f7f7fu);
        });
    }

    static constexpr QRgb Opaque = TraceStyle::Color;

    uchar* fBits;
    qsizetype fStride;
    QRect fClip;
};

} // namespace

void DrawTrace(QImage& picture, const QRect& plot, const TChartSeries& series,
               const TChartAxis& bottom, const TChartAxis& left) {
    const QRect clip = TraceClipRect(plot).intersected(picture.rect());
    if (clip.isEmpty())
        return;
    TColumnCoverage coverage(clip);
    ForEachStroke(series, bottom, left,
                  [&](TPixelPoint from, TPixelPoint to) { coverage.Stroke(from, to); });

    // The pixels are written as premultiplied 32-bit colours.
    const QImage::Format format = picture.format();
    const bool direct =
        format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
    if (!direct)
        picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    TRunWriter writer(picture, clip);
    // Neighbouring columns with the same runs, as along a level stretch, are written together.
    int runStart = coverage.FirstColumn();
    TColumnCoverage::TRuns run = coverage.Column(runStart);
    for (int c = runStart + 1; c <= coverage.LastColumn() + 1; ++c) {
        const bool end = c > coverage.LastColumn();
        const TColumnCoverage::TRuns next = end ? TColumnCoverage::TRuns{} : coverage.Column(c);
        if (end || !(next == run)) {
            writer.Write(run, runStart, c - 1);
            runStart = c;
            run = next;
        }
    }
    if (!direct)
        picture.convertTo(format);
}
