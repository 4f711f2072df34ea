#include "chart/Axis.h"
#include "chart/Series.h"
#include "chart/TraceRenderer.h"
#include "engine/WaveTables.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <cstdlib>

Q_DECLARE_METATYPE(const TWaveTable*)

namespace {

// The plot rectangle of a chart at its design size of 1177 x 448.
const QRect Plot(41, 9, 1127, 414);
const QColor Background(240, 240, 240);

// A pixel is inked when some channel differs from the background by more than 10 %.
constexpr int InkThreshold = 25;
// No stroke may appear, vanish or move: every inked pixel of either rendering lies within this
// distance (in pixels, along each axis) of one inked by the other...
constexpr int MaxInkDistance = 1;
// ... and the pixels inked by only one of them are at most this share of the reference's ink.
constexpr double MaxInkDifference = 0.02;

struct Trace {
    TChartSeries series;
    TChartAxis bottom{TChartAxis::TOrientation::Horizontal};
    TChartAxis left{TChartAxis::TOrientation::Vertical};

    // points steps through table from its start, shown on Plot with the given axis ranges.
    Trace(const TWaveTable& table, int points, double xMin, double xMax, double yMin, double yMax) {
        for (int i = 0; i < points; ++i)
            series.AddY(table[static_cast<std::size_t>(i % 256)]);
        bottom.StoreRange(xMin, xMax);
        bottom.SetPixelRange(Plot.left(), Plot.right());
        left.StoreRange(yMin, yMax);
        left.SetPixelRange(Plot.top(), Plot.bottom());
    }
};

using Renderer = void (*)(QImage&, const QRect&, const TChartSeries&, const TChartAxis&,
                          const TChartAxis&, int);

QImage Render(const Trace& trace, Renderer renderer, int penWidth = TraceStyle::Width) {
    QImage image(1177, 448, QImage::Format_RGB32);
    image.fill(Background);
    renderer(image, Plot, trace.series, trace.bottom, trace.left, penWidth);
    return image;
}

bool Inked(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return std::abs(qRed(p) - Background.red()) > InkThreshold ||
           std::abs(qGreen(p) - Background.green()) > InkThreshold ||
           std::abs(qBlue(p) - Background.blue()) > InkThreshold;
}

bool InkedNear(const QImage& image, int x, int y) {
    for (int dy = -MaxInkDistance; dy <= MaxInkDistance; ++dy)
        for (int dx = -MaxInkDistance; dx <= MaxInkDistance; ++dx)
            if (image.valid(x + dx, y + dy) && Inked(image, x + dx, y + dy))
                return true;
    return false;
}

} // namespace

class TestTraceRenderer : public QObject {
    Q_OBJECT
private slots:
    void matchesTheStrokeByStrokeDrawing_data();
    void matchesTheStrokeByStrokeDrawing();
    void staysInsideTheClip_data();
    void staysInsideTheClip();
    void drawsOnAnyImageFormat_data();
    void drawsOnAnyImageFormat();
};

void TestTraceRenderer::matchesTheStrokeByStrokeDrawing_data() {
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<const TWaveTable*>("table");
    QTest::addColumn<int>("points");
    QTest::addColumn<double>("xMin");
    QTest::addColumn<double>("xMax");
    QTest::addColumn<double>("yMin");
    QTest::addColumn<double>("yMax");
    const std::pair<const char*, const TWaveTable*> tables[] = {
        {"SIN", &SinTable}, {"SAW", &SawTable}, {"RSAW", &RSawTable},
        {"TRI", &TriTable}, {"SQR", &SqrTable}, {"ECG", &EcgTable},
    };
    // The pen's width, then the trace: a full sweep at each chart width, as Auto Clear leaves it,
    // and views zoomed and panned about.
    for (int penWidth : {1, 2, 3, 5}) {
        for (const auto& [name, table] : tables)
            for (int width : {30, 255, 1000, 10000})
                QTest::addRow("pen %d, %s, width %d", penWidth, name, width)
                    << penWidth << table << width + 1 << 0.0 << double(width) << 0.0 << 255.0;
        QTest::addRow("pen %d, zoomed into both axes", penWidth)
            << penWidth << &SinTable << 1000 << 100.3 << 160.7 << 60.25 << 200.5;
        QTest::addRow("pen %d, panned into negative X", penWidth)
            << penWidth << &SqrTable << 256 << -37.5 << 217.5 << 0.0 << 255.0;
        QTest::addRow("pen %d, past both edges", penWidth)
            << penWidth << &EcgTable << 2000 << 300.0 << 1700.0 << 0.0 << 255.0;
        QTest::addRow("pen %d, panned so Samples leave the top and bottom", penWidth)
            << penWidth << &TriTable << 600 << 0.0 << 600.0 << 40.0 << 295.0;
    }
}

void TestTraceRenderer::matchesTheStrokeByStrokeDrawing() {
    QFETCH(int, penWidth);
    QFETCH(const TWaveTable*, table);
    QFETCH(int, points);
    QFETCH(double, xMin);
    QFETCH(double, xMax);
    QFETCH(double, yMin);
    QFETCH(double, yMax);
    const Trace trace(*table, points, xMin, xMax, yMin, yMax);

    const QImage reference = Render(trace, DrawTraceStrokeByStroke, penWidth);
    const QImage fast = Render(trace, DrawTrace, penWidth);
    int referenceInk = 0;
    int onlyOne = 0;
    for (int y = 0; y < reference.height(); ++y) {
        for (int x = 0; x < reference.width(); ++x) {
            const bool r = Inked(reference, x, y);
            const bool f = Inked(fast, x, y);
            referenceInk += r;
            onlyOne += r != f;
            if (r && !InkedNear(fast, x, y))
                QFAIL(qPrintable(QStringLiteral("a stroke vanished at (%1, %2)").arg(x).arg(y)));
            if (f && !InkedNear(reference, x, y))
                QFAIL(qPrintable(QStringLiteral("a stroke appeared at (%1, %2)").arg(x).arg(y)));
        }
    }
    QVERIFY2(referenceInk > 0, "the reference drew nothing");
    QVERIFY2(
        onlyOne <= MaxInkDifference * referenceInk,
        qPrintable(QStringLiteral("%1 of %2 inked pixels differ").arg(onlyOne).arg(referenceInk)));
}

void TestTraceRenderer::staysInsideTheClip_data() {
    QTest::addColumn<int>("penWidth");
    for (int penWidth : {1, 3, 5})
        QTest::addRow("pen %d", penWidth) << penWidth;
}

void TestTraceRenderer::staysInsideTheClip() {
    QFETCH(int, penWidth);
    // A trace that runs far beyond every edge: points before the left edge, Samples above the top
    // and below the bottom, and points past the right edge.
    const Trace trace(SqrTable, 3000, 1000.5, 1500.5, 50, 200);
    const QImage image = Render(trace, DrawTrace, penWidth);
    const QRect clip = TraceClipRect(Plot);
    QCOMPARE(clip, QRect(QPoint(Plot.left() + 1, Plot.top() - 1),
                         QPoint(Plot.right() - 1, Plot.bottom())));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!clip.contains(x, y))
                QVERIFY2(!Inked(image, x, y), qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
}

void TestTraceRenderer::drawsOnAnyImageFormat_data() {
    QTest::addColumn<QImage::Format>("format");
    QTest::newRow("premultiplied ARGB") << QImage::Format_ARGB32_Premultiplied;
    QTest::newRow("ARGB") << QImage::Format_ARGB32;
    QTest::newRow("24-bit RGB") << QImage::Format_RGB888;
}

void TestTraceRenderer::drawsOnAnyImageFormat() {
    QFETCH(QImage::Format, format);
    const Trace trace(EcgTable, 500, 0, 500, 0, 255);
    const QImage expected = Render(trace, DrawTrace);
    QImage image(expected.size(), format);
    image.fill(Background);
    DrawTrace(image, Plot, trace.series, trace.bottom, trace.left);
    QCOMPARE(image.format(), format);
    QCOMPARE(image.convertToFormat(QImage::Format_RGB32), expected);
}

QTEST_MAIN(TestTraceRenderer)
#include "tst_tracerenderer.moc"
