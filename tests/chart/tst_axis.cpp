#include "chart/Axis.h"
#include "chart/ChartError.h"

#include <QTest>
#include <cmath>
#include <limits>

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct Fixture {
    TChartAxis axis;
    int changes = 0;
    explicit Fixture(double min, double max,
                     TChartAxis::TOrientation o = TChartAxis::TOrientation::Horizontal)
        : axis(o) {
        axis.StoreRange(min, max);
        axis.OnChange = [this] { ++changes; };
    }
};
} // namespace

class TestAxis : public QObject {
    Q_OBJECT
private slots:
    void setMaximum_data();
    void setMaximum();
    void setMinimum_data();
    void setMinimum();
    void setMinMaxOrdersAndWidens();
    void mapsValuesToPixels_data();
    void mapsValuesToPixels();
    void mapsPixelsToValues();
};

void TestAxis::setMaximum_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("changes");
    QTest::newRow("inside the range") << 600.0 << false << 600.0 << 1;
    QTest::newRow("same value: no redraw") << 700.0 << false << 700.0 << 0;
    QTest::newRow("equal to the minimum") << 500.0 << false << 500.0 << 1;
    QTest::newRow("below the minimum") << 400.0 << true << 700.0 << 0;
    QTest::newRow("NaN") << NaN << true << 700.0 << 0;
}

void TestAxis::setMaximum() {
    QFETCH(double, value);
    QFETCH(bool, refused);
    QFETCH(double, maximum);
    QFETCH(int, changes);
    Fixture f(500, 700);
    try {
        f.axis.SetMaximum(value);
        QVERIFY(!refused);
    } catch (const EChartException& e) {
        QVERIFY(refused);
        QCOMPARE(QString::fromLatin1(e.what()),
                 QStringLiteral("Axis Maximum Value must be >= Minimum"));
    }
    QCOMPARE(f.axis.Minimum(), 500.0);
    QCOMPARE(f.axis.Maximum(), maximum);
    QCOMPARE(f.changes, changes);
}

void TestAxis::setMinimum_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<double>("minimum");
    QTest::newRow("inside the range") << 600.0 << false << 600.0;
    QTest::newRow("above the maximum") << 800.0 << true << 500.0;
    QTest::newRow("NaN") << NaN << true << 500.0;
}

void TestAxis::setMinimum() {
    QFETCH(double, value);
    QFETCH(bool, refused);
    QFETCH(double, minimum);
    Fixture f(500, 700);
    try {
        f.axis.SetMinimum(value);
        QVERIFY(!refused);
    } catch (const EChartException& e) {
        QVERIFY(refused);
        QCOMPARE(QString::fromLatin1(e.what()),
                 QStringLiteral("Axis Minimum Value must be <= Maximum"));
    }
    QCOMPARE(f.axis.Minimum(), minimum);
    QCOMPARE(f.axis.Maximum(), 700.0);
}

void TestAxis::setMinMaxOrdersAndWidens() {
    Fixture f(0, 255);
    f.axis.Automatic = true;
    f.axis.SetMinMax(120.7, 40.5);
    QCOMPARE(f.axis.Minimum(), 40.5);
    QCOMPARE(f.axis.Maximum(), 120.7);
    QVERIFY(!f.axis.Automatic);

    f.axis.SetMinMax(50, 50);
    QCOMPARE(f.axis.Minimum(), 50 - 1e-10);
    QCOMPARE(f.axis.Maximum(), 50 + 1e-10);

    // A non-finite end could never be drawn or mapped back: the range stays.
    f.axis.SetMinMax(0, std::numeric_limits<double>::infinity());
    QCOMPARE(f.axis.Minimum(), 50 - 1e-10);
}

void TestAxis::mapsValuesToPixels_data() {
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("pixel");
    // A 1000-pixel axis from pixel 100 to 1100.
    QTest::newRow("minimum on the left edge") << true << 0.0 << 1000.0 << 0.0 << 100;
    QTest::newRow("maximum on the right edge") << true << 0.0 << 1000.0 << 1000.0 << 1100;
    QTest::newRow("half rounds to even (down)") << true << 0.0 << 2000.0 << 5.0 << 102;
    QTest::newRow("half rounds to even (up)") << true << 0.0 << 2000.0 << 7.0 << 104;
    QTest::newRow("beyond the range") << true << 0.0 << 1000.0 << -50.0 << 50;
    QTest::newRow("empty range: the middle") << true << 5.0 << 5.0 << 123.0 << 600;
    QTest::newRow("vertical: minimum at the bottom") << false << 0.0 << 255.0 << 0.0 << 1100;
    QTest::newRow("vertical: maximum at the top") << false << 0.0 << 255.0 << 255.0 << 100;
    QTest::newRow("far outside stays an int") << true << 0.0 << 1e-6 << 1e300 << 1000000;
}

void TestAxis::mapsValuesToPixels() {
    QFETCH(bool, horizontal);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, value);
    QFETCH(int, pixel);
    TChartAxis axis(horizontal ? TChartAxis::TOrientation::Horizontal
                               : TChartAxis::TOrientation::Vertical);
    axis.StoreRange(min, max);
    axis.SetPixelRange(100, 1100);
    QCOMPARE(axis.ValueToPixel(value), pixel);
}

void TestAxis::mapsPixelsToValues() {
    TChartAxis bottom(TChartAxis::TOrientation::Horizontal);
    bottom.StoreRange(0, 255);
    bottom.SetPixelRange(0, 1000);
    QCOMPARE(bottom.PixelToValue(10) - bottom.PixelToValue(0), 2.55);
    TChartAxis left(TChartAxis::TOrientation::Vertical);
    left.StoreRange(0, 255);
    left.SetPixelRange(0, 255);
    QCOMPARE(left.PixelToValue(0), 255.0);
    QCOMPARE(left.PixelToValue(255), 0.0);
    left.SetPixelRange(10, 10); // shorter than one pixel
    QCOMPARE(left.PixelToValue(5), 0.0);
}

QTEST_APPLESS_MAIN(TestAxis)
#include "tst_axis.moc"
