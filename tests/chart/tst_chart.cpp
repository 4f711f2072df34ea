#include "chart/Chart.h"
#include "chart/TraceRenderer.h"

#include <QImage>
#include <QTest>
#include <memory>

namespace {

// A chart shown on the offscreen screen, painted once, with a short trace.
struct ShownChart {
    std::unique_ptr<TChart> chart = std::make_unique<TChart>();
    ShownChart() {
        chart->resize(600, 300);
        chart->LeftAxis().StoreRange(0, 255);
        chart->BottomAxis().StoreRange(0, 100);
        for (int i = 0; i < 10; ++i)
            chart->Series().AddY(i * 20);
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
        QTRY_VERIFY(!chart->RedrawPending());
    }
    TChart* operator->() const { return chart.get(); }
};

enum class TAxisChange {
    SameMaximum,
    NewMaximum,
    SameMinMax,
    NewMinMaxMaximumOnly,
    StoreSame,
    Scroll
};

} // namespace

Q_DECLARE_METATYPE(TAxisChange)

class TestChart : public QObject {
    Q_OBJECT
private slots:
    void requestsCoalesceIntoOneRedraw();
    void paintWithNothingPendingRedrawsNothing();
    void axisChangesRequestARedraw_data();
    void axisChangesRequestARedraw();
    void redrawPaintsBackgroundBevelAxesAndTrace();
    void tooSmallForItsBandsStillDraws_data();
    void tooSmallForItsBandsStillDraws();
};

void TestChart::requestsCoalesceIntoOneRedraw() {
    ShownChart c;
    const long long before = c->FullRedrawCount();
    for (int i = 0; i < 500; ++i)
        c->Series().AddY(i % 256);
    c->Series().Clear();
    c->Series().AddY(7);
    c->BottomAxis().SetMaximum(200);
    // Nothing is drawn inside an add, a clear or an axis change: they only mark the chart.
    QCOMPARE(c->FullRedrawCount(), before);
    QVERIFY(c->RedrawPending());
    QTRY_VERIFY(!c->RedrawPending());
    QCOMPARE(c->FullRedrawCount(), before + 1);
}

void TestChart::paintWithNothingPendingRedrawsNothing() {
    ShownChart c;
    const long long before = c->FullRedrawCount();
    const QImage picture = c->Picture();
    c->repaint(); // as when the window is uncovered
    QCOMPARE(c->FullRedrawCount(), before);
    QCOMPARE(c->Picture(), picture);
    QCOMPARE(c->grab().toImage().convertToFormat(picture.format()), picture);
}

void TestChart::axisChangesRequestARedraw_data() {
    QTest::addColumn<TAxisChange>("change");
    QTest::addColumn<bool>("requested");
    QTest::newRow("the maximum it already has") << TAxisChange::SameMaximum << false;
    QTest::newRow("a new maximum") << TAxisChange::NewMaximum << true;
    QTest::newRow("SetMinMax to the range it has") << TAxisChange::SameMinMax << false;
    QTest::newRow("SetMinMax moving one end") << TAxisChange::NewMinMaxMaximumOnly << true;
    QTest::newRow("restoring the range it has") << TAxisChange::StoreSame << false;
    QTest::newRow("a wheel scroll, even by 0") << TAxisChange::Scroll << true;
}

void TestChart::axisChangesRequestARedraw() {
    QFETCH(TAxisChange, change);
    QFETCH(bool, requested);
    ShownChart c;
    TChartAxis& axis = c->BottomAxis();
    switch (change) {
    case TAxisChange::SameMaximum:
        axis.SetMaximum(100);
        break;
    case TAxisChange::NewMaximum:
        axis.SetMaximum(150);
        break;
    case TAxisChange::SameMinMax:
        axis.SetMinMax(100, 0);
        break;
    case TAxisChange::NewMinMaxMaximumOnly:
        axis.SetMinMax(0, 50);
        break;
    case TAxisChange::StoreSame:
        axis.StoreRange(0, 100);
        break;
    case TAxisChange::Scroll:
        axis.Scroll(0);
        break;
    }
    QCOMPARE(c->RedrawPending(), requested);
}

void TestChart::redrawPaintsBackgroundBevelAxesAndTrace() {
    ShownChart c;
    const QImage& p = c->Picture();
    const QRect plot = c->PlotRect();
    QCOMPARE(p.size(), c->size());
    QCOMPARE(QColor(p.pixel(0, 10)), QColor(255, 255, 255));
    QCOMPARE(QColor(p.pixel(10, 0)), QColor(255, 255, 255));
    QCOMPARE(QColor(p.pixel(p.width() - 1, 10)), QColor(160, 160, 160));
    QCOMPARE(QColor(p.pixel(10, p.height() - 1)), QColor(160, 160, 160));
    QCOMPARE(QColor(p.pixel(5, 5)), c->palette().color(QPalette::Button));
    // The axis lines along the plot rectangle's left and bottom edges, under the trace.
    QCOMPARE(QColor(p.pixel(plot.left(), plot.center().y())), QColor(Qt::black));
    QCOMPARE(QColor(p.pixel(plot.right() - 5, plot.bottom())), QColor(Qt::black));
    // The trace's first level, at Y = 0 from X = 0 to X = 1, lies on the bottom edge.
    const int x1 = c->BottomAxis().ValueToPixel(1);
    QCOMPARE(p.pixel((plot.left() + x1) / 2 + 1, plot.bottom()), TraceStyle::Color);
}

void TestChart::tooSmallForItsBandsStillDraws_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("one pixel") << QSize(1, 1);
    QTest::newRow("narrower than the left band") << QSize(30, 200);
    QTest::newRow("lower than the bottom band") << QSize(400, 20);
}

void TestChart::tooSmallForItsBandsStillDraws() {
    QFETCH(QSize, size);
    TChart chart;
    chart.resize(size);
    chart.BottomAxis().StoreRange(0, 255);
    chart.LeftAxis().StoreRange(0, 255);
    for (int i = 0; i < 300; ++i)
        chart.Series().AddY(i % 256);
    QImage image(size, QImage::Format_RGB32);
    chart.Render(image);
    QCOMPARE(chart.FullRedrawCount(), 1);
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
