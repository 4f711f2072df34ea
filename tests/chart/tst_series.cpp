#include "chart/Series.h"

#include <QTest>
#include <vector>

// A trace with a recording notification handler and a redraw counter.
struct Fixture {
    TChartSeries series;
    std::vector<std::pair<int, int>> notifications; // (ValueIndex, Count() inside the handler)
    int redraws = 0;
    int clearAtIndex = -1;

    Fixture() {
        series.OnRequestRedraw = [this] { ++redraws; };
        series.OnAfterAdd = [this](TChartSeries* sender, int index) {
            QCOMPARE(sender, &series);
            notifications.emplace_back(index, series.Count());
            if (index == clearAtIndex)
                series.Clear();
        };
    }
};

class TestSeries : public QObject {
    Q_OBJECT
private slots:
    void xEqualsIndexAfterAdds_data();
    void xEqualsIndexAfterAdds();
    void notificationSeesTheStoredPointBeforeTheRedraw();
    void clearInsideTheNotification();
    void clearOnEmptyTraceStillRedraws();
    void storageGrowsByAThousandAndIsReleased();
};

void TestSeries::xEqualsIndexAfterAdds_data() {
    QTest::addColumn<int>("adds");
    QTest::newRow("one") << 1;
    QTest::newRow("ten") << 10;
    QTest::newRow("across a growth step") << 2500;
}

void TestSeries::xEqualsIndexAfterAdds() {
    QFETCH(int, adds);
    Fixture f;
    f.series.AddY(7);
    f.series.Clear();
    for (int k = 0; k < adds; ++k)
        QCOMPARE(f.series.AddY(k % 256), k);
    QCOMPARE(f.series.Count(), adds);
    for (int k = 0; k < adds; ++k) {
        QCOMPARE(f.series.XValues()[k], double(k));
        QCOMPARE(f.series.YValues()[k], double(k % 256));
    }
    QCOMPARE(f.series.XValues().Name(), std::string("X"));
    QCOMPARE(f.series.YValues().Name(), std::string("Y"));
    QVERIFY(f.series.XValues().Order() == TChartListOrder::loAscending);
    QVERIFY(f.series.YValues().Order() == TChartListOrder::loNone);
}

void TestSeries::notificationSeesTheStoredPointBeforeTheRedraw() {
    Fixture f;
    int redrawsSeenInHandler = -1;
    f.series.OnAfterAdd = [&](TChartSeries*, int index) {
        f.notifications.emplace_back(index, f.series.Count());
        redrawsSeenInHandler = f.redraws;
    };
    f.series.AddY(128);
    f.series.AddY(131);
    QCOMPARE(f.notifications, (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}}));
    // The redraw of the second add is requested only after its handler has run.
    QCOMPARE(redrawsSeenInHandler, 1);
    QCOMPARE(f.redraws, 2);
}

void TestSeries::clearInsideTheNotification() {
    Fixture f;
    f.clearAtIndex = 3;
    for (int k = 0; k < 3; ++k)
        f.series.AddY(k);
    QCOMPARE(f.series.AddY(99), 3); // the old index, which nothing uses
    QCOMPARE(f.series.Count(), 0);
    QCOMPARE(f.series.AddY(5), 0);
    QCOMPARE(f.series.XValues()[0], 0.0);
    QCOMPARE(f.notifications.back(), std::make_pair(0, 1));
}

void TestSeries::clearOnEmptyTraceStillRedraws() {
    Fixture f;
    f.series.Clear();
    QCOMPARE(f.series.Count(), 0);
    QCOMPARE(f.redraws, 1);
}

void TestSeries::storageGrowsByAThousandAndIsReleased() {
    Fixture f;
    f.series.AddY(1);
    QCOMPARE(f.series.XValues().Capacity(), TChartSeries::GrowthStep);
    for (int k = 1; k <= 1000; ++k)
        f.series.AddY(1);
    QCOMPARE(f.series.XValues().Capacity(), 2 * TChartSeries::GrowthStep);
    QCOMPARE(f.series.YValues().Capacity(), 2 * TChartSeries::GrowthStep);
    f.series.Clear();
    QCOMPARE(f.series.XValues().Capacity(), std::size_t(0));
    QCOMPARE(f.series.YValues().Capacity(), std::size_t(0));
}

QTEST_APPLESS_MAIN(TestSeries)
#include "tst_series.moc"
