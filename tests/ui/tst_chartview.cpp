#include "chart/Chart.h"
#include "chart/Series.h"
#include "chart/TraceRenderer.h"
#include "engine/WaveTables.h"
#include "tests/ui/ShownWindow.h"
#include "ui/CheckBox.h"
#include "ui/RadioButton.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <limits>
#include <memory>

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

QTEST_MAIN(TestChartView)
#include "tst_chartview.moc"
