#include "chart/TraceRenderer.h"

#include "chart/PenFootprint.h"
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
                             const TChartAxis& bottom, const TChartAxis& left, int penWidth) {
    QPainter painter(&picture);
    painter.setClipRect(TraceClipRect(plot));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor::fromRgb(TraceStyle::Color), penWidth, Qt::SolidLine, Qt::RoundCap));
    ForEachStroke(series, bottom, left, [&](TPixelPoint from, TPixelPoint to) {
        painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
    });
}

namespace {

// The trace's strokes gathered per pixel column. Because the stair line only ever moves right, the
// strokes touching a column form one connected piece, so each column is one fully covered run
// with a half-covered run above and below it: the pen's footprint tells how far each stroke's
// width and round ends reach into the columns beside it.
class TColumnCoverage {
public:
    // Keeps the columns of clip, and the stroke positions beyond it whose width still reaches
    // into it.
    TColumnCoverage(const QRect& clip, const TPenFootprint& pen)
        : fPen(pen), fFirstColumn(clip.left()), fLastColumn(clip.right()),
          fFirstX(clip.left() - pen.LastOffset()), fLastX(clip.right() - pen.FirstOffset()),
          fLow(Size(fFirstX, fLastX), INT_MAX), fHigh(Size(fFirstX, fLastX), INT_MIN),
          fLevel(Size(fFirstColumn, fLastColumn), NoLevel) {
        for (int offset = pen.FirstOffset(); offset <= pen.LastOffset(); ++offset) {
            const TCover across = pen.Across(offset);
            if (across == TCover::None)
                continue;
            const bool full = across == TCover::Full;
            if (full)
                fLevelFull.Add(offset);
            fLevelInked.Add(offset);
            fReaches.push_back(
                {offset, full, pen.FullEndPixels(offset), pen.InkedEndPixels(offset)});
        }
    }

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
        // Vertical strokes (and the round ends of level ones) on the corners whose width reaches
        // this column: their rows Low..High - 1, and beyond both ends what the round end covers.
        for (const TReach& reach : fReaches) {
            const std::size_t i = static_cast<std::size_t>(c - reach.offset - fFirstX);
            const int low = fLow[i];
            if (low == INT_MAX)
                continue;
            const int high = fHigh[i];
            if (reach.full)
                AddFull(runs, low - reach.fullEnd, high - 1 + reach.fullEnd);
            AddPartial(runs, low - reach.inkedEnd, high - 1 + reach.inkedEnd);
        }
        // The level stroke across the column.
        if (const int level = fLevel[c - fFirstColumn]; level != NoLevel) {
            if (!fLevelFull.Empty())
                AddFull(runs, level + fLevelFull.first, level + fLevelFull.last);
            if (!fLevelInked.Empty())
                AddPartial(runs, level + fLevelInked.first, level + fLevelInked.last);
        }
        // Where a wide pen climbs a steep stair, the faint edges of round ends that each leave a
        // pixel beyond the run blank can together half cover it.
        if (fPen.FaintEndsAddUp() && runs.partialFirst <= runs.partialLast) {
            if (TPenFootprint::Level(EndsShare(c, runs.partialFirst - 1)) != TCover::None)
                --runs.partialFirst;
            if (TPenFootprint::Level(EndsShare(c, runs.partialLast + 1)) != TCover::None)
                ++runs.partialLast;
        }
        return runs;
    }

    int FirstColumn() const { return fFirstColumn; }
    int LastColumn() const { return fLastColumn; }
    // The pixel corners whose strokes can reach the kept columns.
    int FirstX() const { return fFirstX; }
    int LastX() const { return fLastX; }

private:
    using TCover = TPenFootprint::TCover;
    static constexpr int NoLevel = INT_MIN;

    // The share of the pixel at row in column c, which lies outside every stroke's run, that the
    // ends of the strokes around it cover together. Each corner of the stair ends two strokes.
    double EndsShare(int c, int row) const {
        double uncovered = 1;
        for (int offset = fPen.FirstOffset(); offset <= fPen.LastOffset(); ++offset) {
            const int x = c - offset;
            if (!Touched(x))
                continue;
            const int beyond = row < Low(x) ? Low(x) - 1 - row : row - High(x);
            const double share = fPen.EndShare(offset, beyond);
            uncovered *= (1 - share) * (1 - share);
        }
        return 1 - uncovered;
    }
    static std::size_t Size(int first, int last) {
        return static_cast<std::size_t>(std::max(0, last - first + 1));
    }
    // Every stroke's partial run holds its full one, so adding the partial runs is enough to
    // keep the full run inside the partial one.
    static void AddFull(TRuns& runs, int first, int last) {
        if (first > last)
            return;
        runs.fullFirst = std::min(runs.fullFirst, first);
        runs.fullLast = std::max(runs.fullLast, last);
    }
    static void AddPartial(TRuns& runs, int first, int last) {
        if (first > last)
            return;
        runs.partialFirst = std::min(runs.partialFirst, first);
        runs.partialLast = std::max(runs.partialLast, last);
    }

    void Touch(int x, int y0, int y1) {
        const std::size_t i = static_cast<std::size_t>(x - fFirstX);
        fLow[i] = std::min(fLow[i], y0);
        fHigh[i] = std::max(fHigh[i], y1);
    }
    bool Touched(int x) const { return fLow[static_cast<std::size_t>(x - fFirstX)] != INT_MAX; }
    int Low(int x) const { return fLow[static_cast<std::size_t>(x - fFirstX)]; }
    int High(int x) const { return fHigh[static_cast<std::size_t>(x - fFirstX)]; }

    const TPenFootprint& fPen;
    // The pen's footprint across a stroke, for the offsets it reaches: whether it covers the
    // pixel there fully, and how far beyond a stroke's ends it does so, and at least half.
    struct TReach {
        int offset;
        bool full;
        int fullEnd;
        int inkedEnd;
    };
    std::vector<TReach> fReaches;
    // The rows, as offsets from its line, that a level stroke covers fully, and at least half.
    struct TOffsets {
        int first = INT_MAX;
        int last = INT_MIN;
        void Add(int offset) {
            first = std::min(first, offset);
            last = std::max(last, offset);
        }
        bool Empty() const { return first > last; }
    };
    TOffsets fLevelFull;
    TOffsets fLevelInked;
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

// Gathers the strokes that forEachStroke passes it into the columns of clip and writes them.
template <typename TForEachStroke>
void DrawTraceClipped(QImage& picture, const QRect& clip, int penWidth,
                      TForEachStroke&& forEachStroke) {
    if (clip.isEmpty())
        return;
    const TPenFootprint pen(penWidth);
    TColumnCoverage coverage(clip, pen);
    forEachStroke(coverage.FirstX(), coverage.LastX(),
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

} // namespace

void DrawTrace(QImage& picture, const QRect& plot, const TChartSeries& series,
               const TChartAxis& bottom, const TChartAxis& left, int penWidth) {
    DrawTraceClipped(picture, TraceClipRect(plot).intersected(picture.rect()), penWidth,
                     [&](int, int, auto&& stroke) { ForEachStroke(series, bottom, left, stroke); });
}

void DrawTraceWithin(QImage& picture, const QRect& area, const QRect& plot,
                     const TChartSeries& series, const TChartAxis& bottom, const TChartAxis& left,
                     int penWidth) {
    // Each column's runs come from the strokes whose width reaches it alone, so the columns of
    // area come out as a drawing of the whole trace gives them.
    DrawTraceClipped(picture, TraceClipRect(plot).intersected(picture.rect()).intersected(area),
                     penWidth, [&](int firstX, int lastX, auto&& stroke) {
                         ForEachStrokeTouching(series, bottom, left, firstX, lastX, stroke);
                     });
}

QRect TraceStepArea(const QRect& plot, TPixelPoint from, TPixelPoint to, int penWidth) {
    const TPenFootprint pen(penWidth);
    // Across a stroke the pen reaches from FirstOffset to LastOffset, and as far beyond its ends;
    // the faint edges of the ends around a run can ink one pixel more.
    const int reach = std::max(-pen.FirstOffset(), pen.LastOffset() + 1) + 1;
    const QRect area(
        QPoint(std::min(from.x, to.x) + pen.FirstOffset(), std::min(from.y, to.y) - reach),
        QPoint(std::max(from.x, to.x) + pen.LastOffset(), std::max(from.y, to.y) + reach - 1));
    return area.intersected(TraceClipRect(plot));
}
