// Zooming, panning, the wheel and "1:1", driven through real mouse events on the main window's
// chart, together with the width slider and the after-add rule that read the same bottom range.
#include "chart/Chart.h"
#include "chart/ChartLayout.h"
#include "chart/Series.h"
#include "tests/ui/ShownWindow.h"
#include "ui/CheckBox.h"
#include "ui/ErrorDisplay.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <memory>
#include <random>

namespace {

struct Range {
    double min;
    double max;
};

Range rangeOf(const TChartAxis& axis) {
    return {axis.Minimum(), axis.Maximum()};
}

bool sameRange(Range a, Range b) {
    return a.min == b.min && a.max == b.max;
}

// The window after start-up, with its chart painted, so that no redraw is pending when a case
// starts counting them.
struct Window : ShownWindow {
    TChart* chart = form->Chart1;

    explicit Window(TWaitFor waitFor = TWaitFor::Exposed) : ShownWindow(waitFor) {
        chart->repaint();
    }

    TChartAxis& bottom() const { return chart->BottomAxis(); }
    TChartAxis& left() const { return chart->LeftAxis(); }
    QPoint centre() const { return chart->PlotRect().center(); }

    void press(Qt::MouseButton button, QPoint at) const {
        QTest::mousePress(chart, button, {}, at);
    }
    void move(QPoint to) const { QTest::mouseMove(chart, to); }
    void release(Qt::MouseButton button, QPoint at) const {
        QTest::mouseRelease(chart, button, {}, at);
    }
    // A drag as a user makes it: press, one move, release, and the paint that follows.
    void drag(Qt::MouseButton button, QPoint from, QPoint to) const {
        press(button, from);
        move(to);
        release(button, to);
        chart->repaint();
    }
    void zoom(QPoint from, QPoint to) const { drag(Qt::LeftButton, from, to); }
    void pan(QPoint from, QPoint to) const { drag(Qt::RightButton, from, to); }
    void wheel(int delta) const {
        const QPointF at = centre();
        QWheelEvent event(at, chart->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart, &event);
        chart->repaint();
    }
    void oneToOne() const {
        QTest::mouseClick(form->btnZoom, Qt::LeftButton);
        chart->repaint();
    }
    void steps(int k) const {
        for (int i = 0; i < k; ++i)
            form->Button1Click(form->Button1);
    }
    // Makes the bottom axis exactly `length` pixels long by widening the chart.
    void setBottomLength(int length) const {
        for (int i = 0; i < 5 && bottom().Length() != length; ++i) {
            chart->resize(chart->width() + length - bottom().Length(), chart->height());
            chart->repaint();
        }
        QCOMPARE(bottom().Length(), length);
    }
};

// Pixels under a 3-pixel outline centred on the edges of the rectangle with corners a and b.
bool underBand(QPoint p, QPoint a, QPoint b) {
    const int left = std::min(a.x(), b.x());
    const int right = std::max(a.x(), b.x());
    const int top = std::min(a.y(), b.y());
    const int bottom = std::max(a.y(), b.y());
    const bool outer =
        p.x() >= left - 1 && p.x() <= right + 1 && p.y() >= top - 1 && p.y() <= bottom + 1;
    const bool inner =
        p.x() >= left + 2 && p.x() <= right - 2 && p.y() >= top + 2 && p.y() <= bottom - 2;
    return outer && !inner;
}

QImage shown(TChart* chart) {
    return chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestZoomPan : public QObject {
    Q_OBJECT
private slots:
    void leftDrag_data();
    void leftDrag();
    void pressCountsOnPlotAndTickStrips_data();
    void pressCountsOnPlotAndTickStrips();
    void dragBeforeAPaintGoesByTheCurrentLayout();
    void oneToOneReturnsToBeforeTheFirstChange_data();
    void oneToOneReturnsToBeforeTheFirstChange();
    void rightPressAndReleaseChangesNothing();
    void panKeepsThePointUnderThePointer();
    void pressesDuringADragAreIgnored();
    void wheel_data();
    void wheel();
    void pressGivesFocusAndTheCursorStaysTheArrow();
    void sliderAfterZoom();
    void sliderBeforeTheFirstZoomIsWhatIsSaved();
    void autoClearFollowsTheZoomedMaximum();
    void rubberBandLeavesNothingBehind();
    void rubberBandIsDrawnOverAFullRedraw();
    void dragWhoseReleaseIsLost_data();
    void dragWhoseReleaseIsLost();
    void randomUseKeepsTheChartSound();
    void rangesAtTheLimitOfDoubles();
};

void TestZoomPan::leftDrag_data() {
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("changedBefore");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("20 right, 10 down: too low") << QPoint(20, 10) << false << "nothing";
    QTest::newRow("10 right, 20 down: too narrow") << QPoint(10, 20) << false << "nothing";
    QTest::newRow("16 right, 17 down: not more than 16") << QPoint(16, 17) << false << "nothing";
    QTest::newRow("17 right, 16 down: not more than 16") << QPoint(17, 16) << false << "nothing";
    QTest::newRow("20 right, 20 down") << QPoint(20, 20) << false << "zoom";
    QTest::newRow("17 right, 17 up") << QPoint(17, -17) << false << "zoom";
    QTest::newRow("17 left, 17 up, nothing changed") << QPoint(-17, -17) << false << "undo";
    QTest::newRow("17 left, 17 down, nothing changed") << QPoint(-17, 17) << false << "undo";
    QTest::newRow("17 left, 17 up, after a zoom") << QPoint(-17, -17) << true << "undo";
    QTest::newRow("17 left, 17 down, after a zoom") << QPoint(-17, 17) << true << "undo";
    QTest::newRow("17 left, 10 up, after a zoom: too low") << QPoint(-17, 10) << true << "nothing";
}

void TestZoomPan::leftDrag() {
    QFETCH(QPoint, offset);
    QFETCH(bool, changedBefore);
    QFETCH(QString, outcome);
    Window w;
    const Range bottom0 = rangeOf(w.bottom());
    const Range left0 = rangeOf(w.left());
    if (changedBefore)
        w.zoom(w.centre() - QPoint(100, 100), w.centre() + QPoint(100, 100));
    const Range bottomBefore = rangeOf(w.bottom());
    const Range leftBefore = rangeOf(w.left());
    const bool restoredBefore = w.chart->RestoredAxisScales();

    const QPoint from = w.centre();
    const QPoint to = from + offset;
    const double x0 = w.bottom().PixelToValue(std::min(from.x(), to.x()));
    const double x1 = w.bottom().PixelToValue(std::max(from.x(), to.x()));
    const double y0 = w.left().PixelToValue(std::max(from.y(), to.y()));
    const double y1 = w.left().PixelToValue(std::min(from.y(), to.y()));
    const long long redraws = w.chart->FullRedrawCount();
    w.zoom(from, to);

    if (outcome == "nothing") {
        QVERIFY(sameRange(rangeOf(w.bottom()), bottomBefore));
        QVERIFY(sameRange(rangeOf(w.left()), leftBefore));
        QCOMPARE(w.chart->RestoredAxisScales(), restoredBefore);
        QCOMPARE(w.chart->FullRedrawCount(), redraws);
    } else if (outcome == "zoom") {
        QCOMPARE(w.bottom().Minimum(), x0);
        QCOMPARE(w.bottom().Maximum(), x1);
        QCOMPARE(w.left().Minimum(), y0);
        QCOMPARE(w.left().Maximum(), y1);
        QVERIFY(!w.chart->RestoredAxisScales());
        QCOMPARE(w.chart->FullRedrawCount(), redraws + 1);
    } else {
        QVERIFY(sameRange(rangeOf(w.bottom()), bottom0));
        QVERIFY(sameRange(rangeOf(w.left()), left0));
        QVERIFY(w.chart->RestoredAxisScales());
        QVERIFY(w.chart->ZoomPan().SavedScales().empty());
        QCOMPARE(w.chart->FullRedrawCount(), redraws + 1); // an undo with nothing saved redraws
    }
}

void TestZoomPan::pressCountsOnPlotAndTickStrips_data() {
    // Where the press lands, relative to the plot rectangle's corners, and whether it starts a
    // zoom drag (which then runs 40 pixels right and down from there).
    QTest::addColumn<QString>("corner");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("counts");
    QTest::newRow("top-left corner") << "topLeft" << QPoint(0, 0) << true;
    QTest::newRow("left edge") << "topLeft" << QPoint(0, 50) << true;
    QTest::newRow("top edge") << "topLeft" << QPoint(50, 0) << true;
    QTest::newRow("bottom-right corner") << "bottomRight" << QPoint(0, 0) << true;
    QTest::newRow("above the plot") << "topLeft" << QPoint(50, -1) << false;
    QTest::newRow("right of the plot") << "bottomRight" << QPoint(1, -50) << false;
    QTest::newRow("left ticks, 1 px out") << "topLeft" << QPoint(-1, 50) << true;
    QTest::newRow("left ticks, 7 px out") << "topLeft" << QPoint(-7, 50) << true;
    QTest::newRow("left labels, 8 px out") << "topLeft" << QPoint(-8, 50) << false;
    QTest::newRow("left ticks' height only") << "topLeft" << QPoint(-3, -1) << false;
    QTest::newRow("bottom ticks, 1 px out") << "bottomLeft" << QPoint(50, 1) << true;
    QTest::newRow("bottom ticks, 7 px out") << "bottomLeft" << QPoint(50, 7) << true;
    QTest::newRow("bottom labels, 8 px out") << "bottomLeft" << QPoint(50, 8) << false;
    QTest::newRow("below-left of both strips") << "bottomLeft" << QPoint(-3, 3) << false;
    QTest::newRow("bottom ticks' width only") << "bottomRight" << QPoint(1, 3) << false;
}

void TestZoomPan::pressCountsOnPlotAndTickStrips() {
    QFETCH(QString, corner);
    QFETCH(QPoint, offset);
    QFETCH(bool, counts);
    Window w;
    const QRect plot = w.chart->PlotRect();
    // The plot rectangle's edges are the axes' ends as laid out.
    QCOMPARE(plot.left(), w.bottom().StartPixel());
    QCOMPARE(plot.right(), w.bottom().EndPixel());
    QCOMPARE(plot.top(), w.left().StartPixel());
    QCOMPARE(plot.bottom(), w.left().EndPixel());
    const QPoint base = corner == "topLeft"      ? plot.topLeft()
                        : corner == "bottomLeft" ? plot.bottomLeft()
                                                 : plot.bottomRight();
    const QPoint from = base + offset;
    w.zoom(from, from + QPoint(40, 40));
    QCOMPARE(!w.chart->RestoredAxisScales(), counts);
}

void TestZoomPan::dragBeforeAPaintGoesByTheCurrentLayout() {
    Window w;
    // 200 pixels wider, and neither painted nor asked for its layout since: a zoom over the whole
    // plot rectangle as it is now shows what the axes show already.
    const QRect narrower = w.chart->PlotRect();
    w.chart->resize(w.chart->width() + 200, w.chart->height());
    const QPoint bottomRight = narrower.bottomRight() + QPoint(200, 0);
    w.press(Qt::LeftButton, narrower.topLeft());
    w.move(bottomRight);
    w.release(Qt::LeftButton, bottomRight);
    QVERIFY(!w.chart->RestoredAxisScales());
    QVERIFY(sameRange(rangeOf(w.bottom()), {0, 255}));
    QVERIFY(sameRange(rangeOf(w.left()), {0, 255}));
}

void TestZoomPan::oneToOneReturnsToBeforeTheFirstChange_data() {
    QTest::addColumn<QStringList>("changes");
    QTest::newRow("two zooms") << QStringList{"zoom", "zoom"};
    QTest::newRow("zoom, then pan") << QStringList{"zoom", "pan"};
    QTest::newRow("pan, then zoom") << QStringList{"pan", "zoom"};
    QTest::newRow("wheel, then zoom, then pan") << QStringList{"wheel", "zoom", "pan"};
}

void TestZoomPan::oneToOneReturnsToBeforeTheFirstChange() {
    QFETCH(QStringList, changes);
    Window w;
    QTest::mouseClick(w->btnZoom, Qt::LeftButton); // "1:1" at start-up changes nothing
    QVERIFY(w.chart->RestoredAxisScales());

    TChartAxis* axes[] = {&w.bottom(), &w.chart->TopAxis(), &w.left(), &w.chart->RightAxis()};
    Range before[4];
    for (int i = 0; i < 4; ++i)
        before[i] = rangeOf(*axes[i]);
    QVERIFY(sameRange(before[0], {0, 255}));
    QVERIFY(sameRange(before[2], {0, 255}));

    const QPoint c = w.centre();
    for (const QString& change : changes) {
        const Range shownBefore = rangeOf(w.bottom());
        const Range leftBefore = rangeOf(w.left());
        if (change == "zoom")
            w.zoom(c - QPoint(60, 50), c + QPoint(80, 40));
        else if (change == "pan")
            w.pan(c, c + QPoint(33, -21));
        else
            w.wheel(120);
        QVERIFY(!sameRange(rangeOf(w.left()), leftBefore));
        QVERIFY(change == "wheel" || !sameRange(rangeOf(w.bottom()), shownBefore));
        // The saved ranges stay those from before the first change.
        const TAllAxisSavedScales& saved = w.chart->ZoomPan().SavedScales();
        QCOMPARE(saved.size(), std::size_t(4));
        for (int i = 0; i < 4; ++i)
            QVERIFY(sameRange({saved[i].Min, saved[i].Max}, before[i]));
    }

    const long long redraws = w.chart->FullRedrawCount();
    w.oneToOne();
    for (int i = 0; i < 4; ++i)
        QVERIFY(sameRange(rangeOf(*axes[i]), before[i]));
    QVERIFY(w.chart->RestoredAxisScales());
    QVERIFY(w.chart->ZoomPan().SavedScales().empty());
    QCOMPARE(w.chart->FullRedrawCount(), redraws + 1);
    w.oneToOne(); // nothing saved any more: only a redraw
    QVERIFY(sameRange(rangeOf(w.bottom()), before[0]));
    QCOMPARE(w.chart->FullRedrawCount(), redraws + 2);
}

void TestZoomPan::rightPressAndReleaseChangesNothing() {
    Window w;
    const long long redraws = w.chart->FullRedrawCount();
    w.press(Qt::RightButton, w.centre());
    w.release(Qt::RightButton, w.centre());
    w.chart->repaint();
    QVERIFY(sameRange(rangeOf(w.bottom()), {0, 255}));
    QVERIFY(sameRange(rangeOf(w.left()), {0, 255}));
    QVERIFY(w.chart->RestoredAxisScales());
    QVERIFY(w.chart->ZoomPan().SavedScales().empty());
    QCOMPARE(w.chart->FullRedrawCount(), redraws);
}

void TestZoomPan::panKeepsThePointUnderThePointer() {
    Window w;
    w.setBottomLength(1000);
    const QPoint from = w.centre();

    // 10 pixels right on 0..255 over 1000 pixels.
    w.pan(from, from + QPoint(10, 0));
    QCOMPARE(w.bottom().Minimum(), -2.55);
    QCOMPARE(w.bottom().Maximum(), 252.45);
    QVERIFY(sameRange(rangeOf(w.left()), {0, 255}));

    // Down shows larger Samples; two moves before one paint add up; the drag goes on outside the
    // chart, where the value under the pointer is still the one grabbed.
    const int height = w.left().Length();
    const double grabbed = w.bottom().PixelToValue(from.x());
    w.press(Qt::RightButton, from);
    w.move(from + QPoint(0, height / 5));
    QVERIFY(w.left().Minimum() > 0);
    w.move(from + QPoint(-20, height / 5));
    w.move(QPoint(-50, w.chart->height() + 30));
    w.release(Qt::RightButton, QPoint(-50, w.chart->height() + 30));
    w.chart->repaint();
    QCOMPARE(w.bottom().PixelToValue(-50), grabbed);
    QCOMPARE(w.bottom().Range(), 255.0);
    QCOMPARE(w.left().Range(), 255.0);

    w.oneToOne();
    QVERIFY(sameRange(rangeOf(w.bottom()), {0, 255}));
    QVERIFY(sameRange(rangeOf(w.left()), {0, 255}));
}

void TestZoomPan::pressesDuringADragAreIgnored() {
    Window w;
    const QPoint c = w.centre();
    // A right press during a zoom drag neither pans nor ends the zoom.
    w.press(Qt::LeftButton, c);
    w.press(Qt::RightButton, c + QPoint(5, 5));
    w.move(c + QPoint(40, 40));
    w.release(Qt::RightButton, c + QPoint(40, 40));
    QVERIFY(w.chart->ZoomPan().Zooming());
    QVERIFY(w.chart->RestoredAxisScales());
    w.release(Qt::LeftButton, c + QPoint(40, 40));
    QVERIFY(!w.chart->RestoredAxisScales());

    // A left press during a pan starts no zoom, and any release ends the pan.
    w.oneToOne();
    w.press(Qt::RightButton, c);
    w.press(Qt::LeftButton, c + QPoint(5, 5));
    QVERIFY(!w.chart->ZoomPan().Zooming());
    w.release(Qt::LeftButton, c + QPoint(5, 5));
    QVERIFY(!w.chart->ZoomPan().Panning());
    w.move(c + QPoint(50, 50));
    w.release(Qt::RightButton, c + QPoint(50, 50));
    QVERIFY(sameRange(rangeOf(w.bottom()), {0, 255}));
}

void TestZoomPan::wheel_data() {
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<double>("minimum"); // of the left axis afterwards; the width stays 255
    QTest::addColumn<bool>("exact");     // the ends are these doubles to the last bit
    QTest::addColumn<bool>("saved");
    QTest::newRow("one notch up") << QList<int>{120} << 7.65 << true << true;
    QTest::newRow("up, then down") << QList<int>{120, -120} << 0.0 << false << true;
    QTest::newRow("one notch down") << QList<int>{-120} << -7.65 << true << true;
    QTest::newRow("two notches in one event") << QList<int>{240} << 15.3 << false << true;
    QTest::newRow("halves add up") << QList<int>{60, 60} << 7.65 << true << true;
    QTest::newRow("less than a notch") << QList<int>{119} << 0.0 << true << false;
    QTest::newRow("the remainder is kept") << QList<int>{119, 1} << 7.65 << true << true;
    QTest::newRow("remainders cancel") << QList<int>{100, -100, 100} << 0.0 << true << false;
}

void TestZoomPan::wheel() {
    QFETCH(QList<int>, deltas);
    QFETCH(double, minimum);
    QFETCH(bool, exact);
    QFETCH(bool, saved);
    Window w;
    for (int delta : deltas)
        w.wheel(delta);
    const double low = w.left().Minimum();
    const double high = w.left().Maximum();
    const QString shown =
        QStringLiteral("%1..%2").arg(QString::number(low, 'g', 17), QString::number(high, 'g', 17));
    // QCOMPARE on doubles allows for rounding; a notch from 0..255 must not need it.
    if (exact)
        QVERIFY2(low == minimum && high == minimum + 255, qPrintable(shown));
    QVERIFY2(std::fabs(low - minimum) < 1e-9, qPrintable(shown));
    QVERIFY(std::fabs(high - (minimum + 255)) < 1e-9);
    QVERIFY(sameRange(rangeOf(w.bottom()), {0, 255}));
    QCOMPARE(w.chart->RestoredAxisScales(), !saved);
    w.oneToOne();
    QVERIFY(sameRange(rangeOf(w.left()), {0, 255}));
}

void TestZoomPan::pressGivesFocusAndTheCursorStaysTheArrow() {
    Window w;
    w->btnZoom->setFocus();
    QCOMPARE(w->focusWidget(), w->btnZoom);
    // A middle press on the labels starts nothing, but still takes the focus.
    w.press(Qt::MiddleButton, {2, 2});
    QCOMPARE(w->focusWidget(), w.chart);
    w.release(Qt::MiddleButton, {2, 2});
    QCOMPARE(w.chart->cursor().shape(), Qt::ArrowCursor);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        w->btnZoom->setFocus();
        w.press(button, w.centre());
        QCOMPARE(w->focusWidget(), w.chart);
        w.move(w.centre() + QPoint(30, 30));
        QCOMPARE(w.chart->cursor().shape(), Qt::ArrowCursor);
        w.release(button, w.centre() + QPoint(30, 30));
    }
}

void TestZoomPan::sliderAfterZoom() {
    Window w;
    w.zoom(w.centre() - QPoint(50, 50), w.centre() + QPoint(50, 50));
    w.bottom().SetMinMax(40.5, 120.7); // make the zoomed range exact
    w->TrackBar2->SetPosition(300);
    QVERIFY(sameRange(rangeOf(w.bottom()), {40.5, 300}));
    w->TrackBar2->SetPosition(30); // below the minimum: refused without a word
    QVERIFY(sameRange(rangeOf(w.bottom()), {40.5, 300}));
    QCOMPARE(w->TrackBar2->Position(), 30);
    w.oneToOne();
    QVERIFY(sameRange(rangeOf(w.bottom()), {0, 255}));
    QCOMPARE(w->TrackBar2->Position(), 30);

    // "256" only acts when the slider is elsewhere, and then only on the maximum.
    w.zoom(w.centre() - QPoint(50, 50), w.centre() + QPoint(50, 50));
    const double zoomedMin = w.bottom().Minimum();
    QTest::mouseClick(w->btn256, Qt::LeftButton);
    QVERIFY(sameRange(rangeOf(w.bottom()), {zoomedMin, 255}));
    w.zoom(w.centre() - QPoint(50, 50), w.centre() + QPoint(50, 50));
    const Range zoomed = rangeOf(w.bottom());
    QTest::mouseClick(w->btn256, Qt::LeftButton);
    QVERIFY(sameRange(rangeOf(w.bottom()), zoomed));
}

void TestZoomPan::sliderBeforeTheFirstZoomIsWhatIsSaved() {
    Window w;
    w->TrackBar2->SetPosition(500);
    w.zoom(w.centre() - QPoint(50, 50), w.centre() + QPoint(50, 50));
    w->TrackBar2->SetPosition(800);
    w.oneToOne();
    QVERIFY(sameRange(rangeOf(w.bottom()), {0, 500}));
    QCOMPARE(w->TrackBar2->Position(), 800);
}

void TestZoomPan::autoClearFollowsTheZoomedMaximum() {
    Window w;
    QVERIFY(w->cbAutoClear->Checked());
    w.zoom(w.centre() - QPoint(50, 50), w.centre() + QPoint(50, 50));
    w.bottom().SetMinMax(100.2, 150.8);
    w.steps(150);
    QCOMPARE(w->Series1->Count(), 151); // X = 0..150
    w.steps(1);                         // X = 151 lies beyond 150.8
    QCOMPARE(w->Series1->Count(), 0);
    w.steps(1);
    QCOMPARE(w->Series1->XValues()[0], 0.0);

    // Panned below 0, every add empties the trace.
    w.oneToOne();
    w.bottom().SetMinMax(-300, -10);
    w.steps(3);
    QCOMPARE(w->Series1->Count(), 0);
}

void TestZoomPan::rubberBandLeavesNothingBehind() {
    Window w;
    w.steps(40);
    w.chart->repaint();
    const QImage before = shown(w.chart);
    QCOMPARE(before, w.chart->Picture().convertToFormat(QImage::Format_RGB32));
    const long long redraws = w.chart->FullRedrawCount();
    const QRgb invert = (w.chart->BackgroundColor().rgb() ^ qRgb(192, 192, 192)) & RGB_MASK;

    const QPoint a = w.centre() - QPoint(70, 60);
    w.press(Qt::LeftButton, a);
    QCOMPARE(shown(w.chart), before); // nothing is drawn at the press
    // Corners right and left of the anchor, and one outside the chart.
    for (const QPoint b :
         {a + QPoint(90, 50), a + QPoint(-40, 80), QPoint(w.chart->width() + 20, -9)}) {
        w.move(b);
        const QImage during = shown(w.chart);
        int differing = 0;
        for (int y = 0; y < before.height(); ++y) {
            for (int x = 0; x < before.width(); ++x) {
                const QRgb d = before.pixel(x, y) & RGB_MASK;
                const QRgb expected = underBand({x, y}, a, b) ? d ^ invert : d;
                if ((during.pixel(x, y) & RGB_MASK) != expected && ++differing < 5)
                    qWarning("pixel (%d, %d) differs", x, y);
            }
        }
        QCOMPARE(differing, 0);
    }
    QCOMPARE(w.chart->FullRedrawCount(), redraws); // the band moves without a redraw
    w.release(Qt::LeftButton, a + QPoint(5, 5));   // too small: nothing changes
    QCOMPARE(shown(w.chart), before);
    QCOMPARE(w.chart->FullRedrawCount(), redraws);
}

void TestZoomPan::rubberBandIsDrawnOverAFullRedraw() {
    Window w;
    const QPoint a = w.centre() - QPoint(70, 60);
    const QPoint b = a + QPoint(150, 100);
    w.press(Qt::LeftButton, a);
    w.move(b);
    w.steps(30); // the new points are drawn in a full redraw while the band is up
    const QImage during = shown(w.chart);
    const QImage picture = w.chart->Picture().convertToFormat(QImage::Format_RGB32);
    const QRgb invert = (w.chart->BackgroundColor().rgb() ^ qRgb(192, 192, 192)) & RGB_MASK;
    for (const QPoint p :
         {a, b, QPoint(a.x() - 1, b.y() + 1), QPoint((a.x() + b.x()) / 2, a.y() + 1)})
        QCOMPARE(during.pixel(p) & RGB_MASK, (picture.pixel(p) & RGB_MASK) ^ invert);
    QCOMPARE(during.pixel(a + QPoint(2, 2)), picture.pixel(a + QPoint(2, 2)));
    w.release(Qt::LeftButton, b);
    QVERIFY(!w.chart->RestoredAxisScales());
}

void TestZoomPan::dragWhoseReleaseIsLost_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("interruption");
    for (const auto& [button, drag] :
         {std::pair{Qt::LeftButton, "zoom"}, std::pair{Qt::RightButton, "pan"}}) {
        for (const char* interruption :
             {"a popup", "a modal message box", "another window activated",
              "a popup while another control has the focus"})
            QTest::addRow("%s drag, %s", drag, interruption) << button << QString(interruption);
    }
}

// The window's own mouse events, routed by Qt as the platform's are: to the widget that holds the
// press, to an open popup instead, or nowhere while a modal window blocks the window.
void TestZoomPan::dragWhoseReleaseIsLost() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, interruption);
    Window w(Window::TWaitFor::Active);
    w.steps(40);
    w.chart->repaint();
    QWindow* window = w->windowHandle();
    const auto inWindow = [&](QPoint p) { return w.chart->mapTo(w.form.get(), p); };
    const QPoint from = w.centre() - QPoint(100, 60);
    const QPoint to = from + QPoint(120, 90);

    QTest::mousePress(window, button, {}, inWindow(from));
    QTest::mouseMove(window, inWindow(to));
    QVERIFY(w.chart->ZoomPan().Zooming() || w.chart->ZoomPan().Panning());
    const Range bottomBefore = rangeOf(w.bottom()); // moved already if this is a pan
    const Range leftBefore = rangeOf(w.left());

    QMenu popup;
    popup.addAction(QStringLiteral("Elsewhere"));
    std::unique_ptr<QWidget> other;
    const bool focusElsewhere = interruption.contains("another control");
    if (interruption.startsWith("a popup")) {
        if (focusElsewhere)
            w->btnZoom->setFocus(Qt::TabFocusReason);
        popup.popup(w.chart->mapToGlobal(to));
        QVERIFY(QTest::qWaitForWindowExposed(&popup));
    } else if (interruption.contains("message box")) {
        ShowErrorMessage(QStringLiteral("Something went wrong"));
        QVERIFY(QApplication::activeModalWidget() != nullptr);
    } else {
        other = std::make_unique<QWidget>();
        other->show();
        other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(other.get()));
    }
    // The release goes where Qt sends it: to the popup, nowhere, or to the inactive window.
    QTest::mouseRelease(window, button, {}, inWindow(to));
    popup.hide();
    if (QWidget* box = QApplication::activeModalWidget())
        box->close();
    other.reset();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));

    // A zoom drag erases its band and changes nothing; a pan drag stays where it was taken to.
    // Only a control with the focus hears of a popup: the chart learns at its next press.
    if (!focusElsewhere) {
        QVERIFY(!w.chart->ZoomPan().Zooming() && !w.chart->ZoomPan().Panning());
        QCOMPARE(shown(w.chart), w.chart->Picture().convertToFormat(QImage::Format_RGB32));
    }
    QVERIFY(sameRange(rangeOf(w.bottom()), bottomBefore));
    QVERIFY(sameRange(rangeOf(w.left()), leftBefore));

    // The next left drag zooms, whatever the lost drag was.
    w.chart->repaint();
    const QPoint a = w.centre() - QPoint(50, 40);
    const QPoint b = a + QPoint(90, 70);
    const double zoomedMin = w.bottom().PixelToValue(a.x());
    const double zoomedMax = w.bottom().PixelToValue(b.x());
    QTest::mousePress(window, Qt::LeftButton, {}, inWindow(a));
    QTest::mouseMove(window, inWindow(b));
    QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(b));
    QCOMPARE(w.bottom().Minimum(), zoomedMin);
    QCOMPARE(w.bottom().Maximum(), zoomedMax);
    QVERIFY(!w.chart->ZoomPan().Zooming() && !w.chart->ZoomPan().Panning());
    w.chart->repaint();
    QCOMPARE(shown(w.chart), w.chart->Picture().convertToFormat(QImage::Format_RGB32));
}

void TestZoomPan::randomUseKeepsTheChartSound() {
    Window w;
    std::mt19937 random(20261210);
    auto uniform = [&random](int lo, int hi) {
        return std::uniform_int_distribution(lo, hi)(random);
    };
    // Mostly on or near the chart; now and then far off it, as a drag may end anywhere on a
    // large desktop, which zooms out several times over.
    auto anywhere = [&] {
        const int beyond = uniform(0, 9) == 0 ? 4000 : 40;
        return QPoint(uniform(-beyond, w.chart->width() + beyond),
                      uniform(-beyond, w.chart->height() + beyond));
    };
    TChartAxis* axes[] = {&w.bottom(), &w.chart->TopAxis(), &w.left(), &w.chart->RightAxis()};
    // Zooms, pans and wheel turns come in runs, so that ranges also drift far out and far in.
    int action = 0;
    int run = 0;
    for (int step = 0; step < 4000; ++step) {
        if (run-- <= 0) {
            action = uniform(0, 12);
            run = action == 3 || action == 4 || action == 5 || action >= 11 ? uniform(0, 30) : 0;
        }
        try {
            switch (action) {
            case 0:
            case 1:
                w.steps(uniform(1, 40));
                break;
            case 2:
                w->btnClearChartClick(w->btnClearChart);
                break;
            case 3:
                w.zoom(w.centre() + QPoint(uniform(-300, 300), uniform(-150, 150)), anywhere());
                break;
            case 4:
                w.pan(w.centre(), anywhere());
                break;
            case 5:
                w.wheel(uniform(-400, 400));
                break;
            case 6:
                if (uniform(0, 3) == 0)
                    w.oneToOne();
                break;
            case 7:
                w->TrackBar2->SetPosition(uniform(30, 10000));
                break;
            case 8:
                w.chart->resize(uniform(0, 1400), uniform(0, 600));
                break;
            case 9:
                w->cbAutoClear->SetChecked(!w->cbAutoClear->Checked());
                break;
            case 10:
                QTest::mouseClick(w->btn256, Qt::LeftButton);
                break;
            case 11:
                w.zoom(w.centre(), w.centre() + QPoint(uniform(17, 40), uniform(17, 40)));
                break;
            default: // out, as far as a large desktop allows
                w.zoom(w.chart->PlotRect().topLeft(), QPoint(w.chart->width() + uniform(0, 4000),
                                                             w.chart->height() + uniform(0, 4000)));
                break;
            }
            w.chart->repaint();
        } catch (const std::exception& e) {
            QFAIL(qPrintable(QStringLiteral("step %1 (action %2) threw: %3")
                                 .arg(step)
                                 .arg(action)
                                 .arg(QString::fromLocal8Bit(e.what()))));
        }
        for (const TChartAxis* axis : axes) {
            QVERIFY2(std::isfinite(axis->Minimum()) && std::isfinite(axis->Maximum()),
                     qPrintable(QStringLiteral("step %1").arg(step)));
            QVERIFY2(axis->Minimum() <= axis->Maximum(),
                     qPrintable(QStringLiteral("step %1").arg(step)));
        }
        const TChartSeries& series = *w->Series1;
        for (int i = 0; i < series.Count(); ++i)
            QCOMPARE(series.XValues()[i], double(i));
        const TChartLayout& labels = w.chart->Layout();
        QVERIFY(labels.BottomLabels().size() <= 10000 && labels.LeftLabels().size() <= 10000);
    }
}

void TestZoomPan::rangesAtTheLimitOfDoubles() {
    // Zoomed out so far that the width of a range no longer fits a double: a zoom, pan or wheel
    // turn that would give a non-finite end leaves the range as it was.
    Window w;
    w.steps(20);
    for (TChartAxis* axis : {&w.bottom(), &w.left()})
        axis->SetMinMax(-1.7e308, 1.7e308);
    w.chart->repaint();
    const QPoint c = w.centre();
    w.zoom(w.chart->PlotRect().topLeft(), w.chart->PlotRect().bottomRight() + QPoint(900, 900));
    w.pan(c, c + QPoint(25, 25));
    w.wheel(120);
    w.zoom(w.chart->PlotRect().topLeft() + QPoint(1, 1), c);
    for (const TChartAxis* axis : {&w.bottom(), &w.left()}) {
        QVERIFY(std::isfinite(axis->Minimum()) && std::isfinite(axis->Maximum()));
        QVERIFY(axis->Minimum() <= axis->Maximum());
    }
    w.oneToOne();
    QVERIFY(sameRange(rangeOf(w.bottom()), {-1.7e308, 1.7e308}));
}

QTEST_MAIN(TestZoomPan)
#include "tst_zoompan.moc"
