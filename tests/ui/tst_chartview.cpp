#include "chart/Chart.h"
#include "chart/Series.h"
#include "chart/TraceRenderer.h"
#include "engine/WaveTables.h"
#include "tests/ui/ShownWindow.h"
#include "ui/CheckBox.h"
#include "ui/Layout.h"
#include "ui/RadioButton.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <utility>

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

// Steps by the clock's handler, as automatic stepping does.
struct Window : ShownWindow {
    void steps(int k) const {
        for (int i = 0; i < k; ++i)
            form->Timer1Timer(nullptr);
    }
    int count() const { return form->Series1->Count(); }
    int pointer() const { return form->stHi->text().toInt(); }
    TChartAxis& bottom() const { return form->Chart1->BottomAxis(); }
    // The chart's picture once the pending redraw has been painted.
    bool painted() const {
        return QTest::qWaitFor([this] { return !form->Chart1->RedrawPending(); });
    }
    const QImage& picture() const { return form->Chart1->Picture(); }
};

// Any pixel of the line, antialiased edges included: the pen is the only bluish thing drawn.
bool TraceInk(QRgb pixel) {
    return qBlue(pixel) - qRed(pixel) > 30;
}

// The pixels within area that differ between a and b (both RGB32), b's pixel p being a's at
// p + offset.
int Differing(const QImage& a, const QImage& b, const QRegion& area, QPoint offset = {}) {
    int differing = 0;
    for (const QRect& r : area) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y)) + r.left();
            const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y - offset.y())) +
                               r.left() - offset.x();
            if (std::memcmp(rowA, rowB, std::size_t(r.width()) * sizeof(QRgb)) == 0)
                continue;
            for (int x = 0; x < r.width(); ++x)
                differing += (rowA[x] & RGB_MASK) != (rowB[x] & RGB_MASK);
        }
    }
    return differing;
}

// The rubber band's pixels for the drag from a to b: a 3-pixel outline on the rectangle's edges.
QRegion BandRegion(QPoint a, QPoint b) {
    const QRect edges(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                      QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    const QRect inner = edges.adjusted(2, 2, -2, -2);
    const QRegion outer(edges.adjusted(-1, -1, 1, 1));
    return inner.isValid() ? outer.subtracted(inner) : outer;
}

int TraceInkIn(const QImage& image, const QRect& area) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += image.valid(x, y) && TraceInk(image.pixel(x, y));
    return ink;
}

} // namespace

class TestChartView : public QObject {
    Q_OBJECT
private slots:
    void startUpSettings();
    void afterAddRule_data();
    void afterAddRule();
    void checkingAutoClearLateEmptiesAtTheNextAdd();
    void widthRefusedBelowAPannedMinimum();
    void button256_data();
    void button256();
    void startUpShowsNoLine();
    void firstStepDrawsOneStair();
    void squareWaveShowsOnBothEdges();
    void everyPaintShowsWhatAFullRedrawDraws();
};

void TestChartView::startUpSettings() {
    Window w;
    QCOMPARE(w->TrackBar2->minimum(), 30);
    QCOMPARE(w->TrackBar2->maximum(), 10000);
    QCOMPARE(w->TrackBar2->Position(), 255);
    QVERIFY(w->cbAutoClear->Checked());
    QCOMPARE(w.bottom().Minimum(), 0.0);
    QCOMPARE(w.bottom().Maximum(), 255.0); // FormCreate applied the slider
    QCOMPARE(w->Chart1->LeftAxis().Minimum(), 0.0);
    QCOMPARE(w->Chart1->LeftAxis().Maximum(), 255.0);
}

void TestChartView::afterAddRule_data() {
    QTest::addColumn<bool>("autoClear");
    QTest::addColumn<int>("width");      // the slider's position, 0 to leave it
    QTest::addColumn<double>("zoomMin"); // a bottom range set as zooming does, None for none
    QTest::addColumn<double>("zoomMax");
    QTest::addColumn<int>("held");       // points held before the add that empties the trace
    QTest::addColumn<int>("lowerTo");    // the slider moved there once they are held, 0 for not
    QTest::addColumn<int>("countAfter"); // points after the add that follows the emptying one
    QTest::addColumn<int>("sweeps");     // times the trace fills and empties
    QTest::newRow("Auto Clear, width 255: X 0..255, the 257th add empties")
        << true << 255 << None << None << 256 << 0 << 1 << 1;
    QTest::newRow("Auto Clear, width 30: sweeps of 31")
        << true << 30 << None << None << 31 << 0 << 1 << 1;
    QTest::newRow("Auto Clear, width 30: each sweep starts 32 table indices later")
        << true << 30 << None << None << 31 << 0 << 1 << 4;
    QTest::newRow("Auto Clear, width 10000: 10001 points, X 0..10000")
        << true << 10000 << None << None << 10001 << 0 << 1 << 1;
    QTest::newRow("Auto Clear, width lowered below the last X: the points stay until the next add")
        << true << 255 << None << None << 200 << 100 << 1 << 1;
    QTest::newRow("Auto Clear, fractional maximum 40.5: X 0..40")
        << true << 0 << 10.25 << 40.5 << 41 << 0 << 1 << 1;
    QTest::newRow("Auto Clear off, width 255: 10000 points")
        << false << 255 << None << None << 10000 << 0 << 1 << 1;
    QTest::newRow("Auto Clear off, width 10000: X = 9999 is the last")
        << false << 10000 << None << None << 10000 << 0 << 1 << 1;
    QTest::newRow("Auto Clear, maximum panned below 0: every add empties")
        << true << 0 << -50.0 << -10.0 << 1 << 0 << 0 << 1;
}

void TestChartView::afterAddRule() {
    QFETCH(bool, autoClear);
    QFETCH(int, width);
    QFETCH(double, zoomMin);
    QFETCH(double, zoomMax);
    QFETCH(int, held);
    QFETCH(int, lowerTo);
    QFETCH(int, countAfter);
    QFETCH(int, sweeps);
    Window w;
    w->cbAutoClear->SetChecked(autoClear);
    if (width != 0)
        w->TrackBar2->SetPosition(width);
    if (!std::isnan(zoomMin))
        w.bottom().SetMinMax(zoomMin, zoomMax);
    QCOMPARE(w.count(), 1); // the start-up point
    int start = 0;          // the table index of the sweep's first point
    for (int sweep = 0; sweep < sweeps; ++sweep) {
        while (w.count() < held) {
            const int before = w.count();
            w.steps(1);
            QCOMPARE(w.count(), before + 1);
        }
        QCOMPARE(w->Series1->XValues()[w.count() - 1], double(held - 1));
        if (lowerTo != 0) {
            w->TrackBar2->SetPosition(lowerTo);
            QCOMPARE(w.bottom().Maximum(), double(lowerTo));
            QCOMPARE(w.count(), held);
        }
        w.steps(1);
        QCOMPARE(w.count(), 0); // the Sample that ran past the edge is never drawn
        w.steps(1);
        QCOMPARE(w.count(), countAfter);
        if (countAfter == 1) {
            QCOMPARE(w->Series1->XValues()[0], 0.0);
            QCOMPARE(w->Series1->YValues()[0], double(SinTable[w.pointer()]));
            QCOMPARE(w.pointer(), (start + held + 1) % 256);
            start = w.pointer();
        }
    }
}

void TestChartView::checkingAutoClearLateEmptiesAtTheNextAdd() {
    Window w;
    w->cbAutoClear->SetChecked(false);
    w.steps(300);
    QCOMPARE(w.count(), 301);
    w->cbAutoClear->SetChecked(true);
    QCOMPARE(w.count(), 301);
    w.steps(1);
    QCOMPARE(w.count(), 0);
}

void TestChartView::widthRefusedBelowAPannedMinimum() {
    Window w;
    w->TrackBar2->SetPosition(1000);
    QCOMPARE(w.bottom().Maximum(), 1000.0);
    w.bottom().SetMinMax(500, 1000);
    w->TrackBar2->SetPosition(255); // no error leaves the handler
    QCOMPARE(w->TrackBar2->Position(), 255);
    QCOMPARE(w.bottom().Minimum(), 500.0);
    QCOMPARE(w.bottom().Maximum(), 1000.0);
}

void TestChartView::button256_data() {
    QTest::addColumn<int>("slider");
    QTest::addColumn<double>("zoomMin");
    QTest::addColumn<double>("zoomMax");
    QTest::addColumn<double>("minimumAfter");
    QTest::addColumn<double>("maximumAfter");
    QTest::addColumn<bool>("redraw");
    QTest::newRow("at 255 after a zoom: nothing happens")
        << 255 << 10.0 << 100.0 << 10.0 << 100.0 << false;
    QTest::newRow("elsewhere: back to 255, the minimum left alone")
        << 1000 << 100.0 << 1000.0 << 100.0 << 255.0 << true;
}

void TestChartView::button256() {
    QFETCH(int, slider);
    QFETCH(double, zoomMin);
    QFETCH(double, zoomMax);
    QFETCH(double, minimumAfter);
    QFETCH(double, maximumAfter);
    QFETCH(bool, redraw);
    Window w;
    w->TrackBar2->SetPosition(slider);
    w.bottom().SetMinMax(zoomMin, zoomMax);
    QVERIFY(w.painted());
    QTest::mouseClick(w->btn256, Qt::LeftButton);
    QCOMPARE(w->TrackBar2->Position(), 255);
    QCOMPARE(w.bottom().Minimum(), minimumAfter);
    QCOMPARE(w.bottom().Maximum(), maximumAfter);
    QCOMPARE(w->Chart1->RedrawPending(), redraw);
}

void TestChartView::startUpShowsNoLine() {
    Window w;
    QVERIFY(w.painted());
    QCOMPARE(w.picture().size(), w->Chart1->size());
    QCOMPARE(TraceInkIn(w.picture(), w.picture().rect()), 0);
}

void TestChartView::firstStepDrawsOneStair() {
    Window w;
    w.steps(1);
    QVERIFY(w.painted());
    const QImage& p = w.picture();
    const TChartAxis& left = w->Chart1->LeftAxis();
    const int x0 = w.bottom().ValueToPixel(0);
    const int x1 = w.bottom().ValueToPixel(1);
    const int y128 = left.ValueToPixel(128);
    const int y131 = left.ValueToPixel(131);
    QVERIFY(x1 > x0 + 2 && y128 > y131 + 2);
    // The 3-pixel line is centred on pixel corners: the two rows (columns) either side of the
    // level (rise) are fully inked.
    for (int x = x0 + 1; x <= x1; ++x) {
        QCOMPARE(p.pixel(x, y128 - 1), TraceStyle::Color);
        QCOMPARE(p.pixel(x, y128), TraceStyle::Color);
    }
    for (int y = y131 - 1; y <= y128; ++y) {
        QCOMPARE(p.pixel(x1 - 1, y), TraceStyle::Color);
        QCOMPARE(p.pixel(x1, y), TraceStyle::Color);
    }
    // Nothing else: no ink more than a pixel beyond the stair, nor left of the clip.
    const QRect stair(QPoint(x0 + 1, y131 - 2), QPoint(x1 + 1, y128 + 1));
    QCOMPARE(TraceInkIn(p, p.rect()), TraceInkIn(p, stair));
    QCOMPARE(TraceInkIn(p, QRect(QPoint(x1 + 2, 0), QPoint(p.width() - 1, p.height() - 1))), 0);
}

void TestChartView::squareWaveShowsOnBothEdges() {
    Window w;
    QTest::mouseClick(w->rbSqr, Qt::LeftButton);
    w.steps(255);
    QVERIFY(w.painted());
    const QImage& p = w.picture();
    const QRect plot = w->Chart1->PlotRect();
    const int lowLevel = w.bottom().ValueToPixel(64);   // inside the stretch of 0s
    const int highLevel = w.bottom().ValueToPixel(192); // inside the stretch of 255s
    // Each level's outer full row lies just beyond the edge, inside the clip's extra pixel.
    QCOMPARE(w->Chart1->LeftAxis().ValueToPixel(0), plot.bottom());
    QCOMPARE(w->Chart1->LeftAxis().ValueToPixel(255), plot.top());
    QCOMPARE(p.pixel(lowLevel, plot.bottom()), TraceStyle::Color);
    QCOMPARE(p.pixel(lowLevel, plot.bottom() - 1), TraceStyle::Color);
    QCOMPARE(p.pixel(highLevel, plot.top() - 1), TraceStyle::Color);
    QCOMPARE(p.pixel(highLevel, plot.top()), TraceStyle::Color);
}

namespace {

// The window driven by random operations. After every paint the chart's picture must be what a
// full redraw of the same state draws, and the window must show that picture (with the rubber
// band inverted over it while a zoom drag is shown): a step that redraws a few columns must
// neither miss a pixel it changed nor leave one out of what it hands to the window.
struct RandomUse : Window {
    std::mt19937 random;
    TChart* chart = form->Chart1;
    QString operation;
    int paints = 0;
    std::optional<std::pair<QPoint, QPoint>> band; // a zoom drag's anchor and corner, while shown

    explicit RandomUse(unsigned seed) : random(seed) {}

    int uniform(int lo, int hi) { return std::uniform_int_distribution(lo, hi)(random); }
    // Mostly narrow widths, so that sweeps reach the right edge, now and then the widest.
    int width() {
        const int kind = uniform(0, 9);
        return kind < 6 ? uniform(30, 400) : kind < 9 ? uniform(400, 3000) : uniform(3000, 10000);
    }
    QPoint onChart() { return {uniform(-20, chart->width() + 20), uniform(-20, chart->height())}; }
    QPoint inPlot() {
        const QRect plot = chart->PlotRect();
        return {uniform(plot.left(), plot.right()), uniform(plot.top(), plot.bottom())};
    }

    // Lets the window paint what is pending, then compares. False, with a warning that names the
    // operation, where any pixel differs.
    bool paintedAsAFullRedraw() {
        if (!QTest::qWaitFor([this] { return !chart->RedrawPending(); }))
            return false;
        // A paint may ask for one more, where it found the picture out of date only then.
        QCoreApplication::processEvents();
        ++paints;
        QImage full(chart->size(), QImage::Format_RGB32);
        chart->Render(full);
        const QImage& picture = chart->Picture();
        if (picture.size() != chart->size() || picture.format() != QImage::Format_RGB32) {
            qWarning("after %s: the picture is not the chart's", qPrintable(operation));
            return false;
        }
        const int drawn = Differing(picture, full, QRegion(chart->rect()));
        QImage expected = picture;
        if (band) {
            const QRgb invert = (chart->BackgroundColor().rgb() ^ qRgb(192, 192, 192)) & RGB_MASK;
            for (const QRect& r : BandRegion(band->first, band->second).intersected(chart->rect()))
                for (int y = r.top(); y <= r.bottom(); ++y)
                    for (int x = r.left(); x <= r.right(); ++x)
                        expected.setPixel(x, y, expected.pixel(x, y) ^ invert);
        }
        // What the window holds of the chart: its backing store, where the chart lies inside the
        // window and no panel hides it.
        const QPoint chartAt = chart->mapTo(form.get(), QPoint(0, 0));
        const QRect inWindow = QRect(chartAt, chart->size()).intersected(form->rect());
        const QImage shown = form->screen()
                                 ->grabWindow(form->winId(), inWindow.x(), inWindow.y(),
                                              inWindow.width(), inWindow.height())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        const QRect seenInChart = inWindow.translated(-chartAt);
        const int handedOver =
            shown.size() == inWindow.size()
                ? Differing(expected, shown, chart->visibleRegion().intersected(seenInChart),
                            seenInChart.topLeft())
                : -1;
        if (drawn != 0 || handedOver != 0) {
            qWarning("after %s (paint %d): %d pixels differ from a full redraw, %d in the window",
                     qPrintable(operation), paints, drawn, handedOver);
            return false;
        }
        return true;
    }

    bool steps(int k, bool paintEach) {
        for (int i = 0; i < k; ++i) {
            form->Timer1Timer(nullptr);
            if (paintEach && !paintedAsAFullRedraw())
                return false;
        }
        return true;
    }
    void drag(Qt::MouseButton button, QPoint from, QPoint to) {
        QTest::mousePress(chart, button, {}, from);
        QTest::mouseMove(chart, to);
        QTest::mouseRelease(chart, button, {}, to);
    }
    void wheel(int delta) {
        const QPointF at = chart->PlotRect().center();
        QWheelEvent event(at, chart->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart, &event);
    }
    bool moveToOtherScreen() {
        QScreen* other = nullptr;
        for (QScreen* screen : QGuiApplication::screens())
            if (screen != form->screen())
                other = screen;
        if (!other)
            return false;
        const int density = qRound(other->logicalDotsPerInch());
        form->windowHandle()->setScreen(other);
        auto* layout = form->findChild<TLayout*>();
        return QTest::qWaitFor([&] { return layout->Density() == density; });
    }

    // One operation, its name kept for the report; false where a paint differed.
    bool operate() {
        const int choice = uniform(0, 29);
        switch (choice) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
            operation = QStringLiteral("steps, each painted");
            return steps(uniform(1, 12), true);
        case 7:
        case 8:
        case 9:
        case 10:
            operation = QStringLiteral("steps before one paint");
            return steps(uniform(2, 40), false);
        case 11:
        case 12: {
            operation = QStringLiteral("a sweep past the right edge with Auto Clear");
            form->cbAutoClear->SetChecked(true);
            // In runs of steps before each paint, until an add empties the trace.
            for (int i = 0; i < 400; ++i) {
                const int before = form->Series1->Count();
                form->Timer1Timer(nullptr);
                const bool emptied = form->Series1->Count() < before;
                if ((emptied || uniform(0, 15) == 0) && !paintedAsAFullRedraw())
                    return false;
                if (emptied)
                    break;
            }
            return steps(2, true);
        }
        case 13:
            operation = QStringLiteral("Auto Clear toggled");
            form->cbAutoClear->SetChecked(!form->cbAutoClear->Checked());
            return true;
        case 14:
            operation = QStringLiteral("\"Clear\"");
            QTest::mouseClick(form->btnClearChart, Qt::LeftButton);
            return true;
        case 15:
        case 16:
            operation = QStringLiteral("a width change");
            form->TrackBar2->SetPosition(width());
            return true;
        case 17:
        case 18: {
            operation = QStringLiteral("a zoom drag");
            const QPoint from = inPlot();
            drag(Qt::LeftButton, from, uniform(0, 3) == 0 ? onChart() : from + QPoint(60, 40));
            return true;
        }
        case 19: {
            operation = QStringLiteral("steps, or a clear, under a zoom drag's rubber band");
            const QPoint from = inPlot();
            const QPoint to = onChart();
            QTest::mousePress(chart, Qt::LeftButton, {}, from);
            QTest::mouseMove(chart, to);
            if (to != from)
                band = std::pair{from, to};
            // Steps redraw a few columns under the band; "Clear" redraws everything under it.
            bool same = paintedAsAFullRedraw() && steps(uniform(1, 20), uniform(0, 1));
            if (same && uniform(0, 2) == 0) {
                form->btnClearChartClick(form->btnClearChart);
                same = paintedAsAFullRedraw();
            }
            band.reset();
            QTest::mouseRelease(chart, Qt::LeftButton, {}, to);
            return same;
        }
        case 20:
            operation = QStringLiteral("a pan drag");
            drag(Qt::RightButton, inPlot(), onChart());
            return true;
        case 21:
            operation = QStringLiteral("the wheel");
            wheel(uniform(-400, 400));
            return true;
        case 22:
            operation = QStringLiteral("\"1:1\"");
            QTest::mouseClick(form->btnZoom, Qt::LeftButton);
            return true;
        case 23:
            operation = QStringLiteral("\"256\"");
            QTest::mouseClick(form->btn256, Qt::LeftButton);
            return true;
        case 24:
        case 25:
            operation = QStringLiteral("a resize of the window");
            form->resize(uniform(700, 1600), uniform(500, 1000));
            return true;
        case 26:
        case 27: {
            operation = QStringLiteral("a waveform change");
            TRadioButton* const buttons[] = {form->rbSin, form->rbSaw, form->rbRSaw,
                                             form->rbTri, form->rbSqr, form->rbEcg};
            QTest::mouseClick(buttons[uniform(0, 5)], Qt::LeftButton);
            return true;
        }
        default:
            operation = QStringLiteral("a move to a screen of another density");
            if (!moveToOtherScreen()) {
                qWarning("found no second screen to move to");
                return false;
            }
            return true;
        }
    }
};

} // namespace

void TestChartView::everyPaintShowsWhatAFullRedrawDraws() {
    QVERIFY2(QGuiApplication::screens().size() >= 2,
             "needs two screens of different density, as tests/ui/twoscreens.json gives");
    const unsigned seed = qEnvironmentVariableIsSet("WAWE_SEED")
                              ? unsigned(qEnvironmentVariableIntValue("WAWE_SEED"))
                              : 1414u;
    constexpr int Operations = 2400;
    qInfo("seed %u, %d operations", seed, Operations);
    RandomUse use(seed);
    QVERIFY(use.paintedAsAFullRedraw());
    const long long partialBefore = use.chart->PartialRedrawCount();
    for (int i = 0; i < Operations; ++i) {
        const bool same = use.operate() && use.paintedAsAFullRedraw();
        QVERIFY2(
            same,
            qPrintable(
                QStringLiteral("operation %1 (%2), seed %3").arg(i).arg(use.operation).arg(seed)));
    }
    const long long partial = use.chart->PartialRedrawCount() - partialBefore;
    qInfo("%d paints compared, %lld of them after partial redraws", use.paints, partial);
    QVERIFY(partial > use.paints / 4); // most steps redrew a few columns only
}

QTEST_MAIN(TestChartView)
#include "tst_chartview.moc"
