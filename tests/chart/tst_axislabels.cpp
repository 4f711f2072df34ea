#include "chart/AxisLabels.h"

#include <QTest>
#include <cmath>
#include <limits>
#include <optional>

using namespace AxisLabels;

namespace {
constexpr int NoTrace = -1;
constexpr double Infinity = std::numeric_limits<double>::infinity();
} // namespace

class TestAxisLabels : public QObject {
    Q_OBJECT
private slots:
    void labelStep_data();
    void labelStep();
    void ladder_data();
    void ladder();
    void labelledValues_data();
    void labelledValues();
    void noRoomMeansNoLabels();
    void sizingValues_data();
    void sizingValues();
    void formatsLabels_data();
    void formatsLabels();
    void minorTicks_data();
    void minorTicks();
};

void TestAxisLabels::labelStep_data() {
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("labelSize");
    QTest::addColumn<int>("tracePoints");
    QTest::addColumn<double>("step");
    // Room 38 for 0..255, start 6.54, 39 steps are too many: the next ladder step 10.
    QTest::newRow("bottom 1100 px, 26 px label, 0..255") << 0.0 << 255.0 << 1100 << 26 << 1 << 10.0;
    QTest::newRow("left 400 px, 14 px W, 0..255") << 0.0 << 255.0 << 400 << 14 << NoTrace << 10.0;
    QTest::newRow("bottom 0..10000, 35 px label") << 0.0 << 10000.0 << 1100 << 35 << 1 << 500.0;
    // 1100 / (20 + 2) gives room for exactly 50 labels.
    QTest::newRow("0..5, room 50, 51 points") << 0.0 << 5.0 << 1100 << 20 << 51 << 0.1;
    QTest::newRow("0..5, room 50, 50 points") << 0.0 << 5.0 << 1100 << 20 << 50 << 1.0;
    QTest::newRow("0..5, room 50, left axis") << 0.0 << 5.0 << 1100 << 20 << NoTrace << 0.1;
    QTest::newRow("0..1, room 50, short trace: too narrow for whole steps")
        << 0.0 << 1.0 << 1100 << 20 << 5 << 0.02;
    QTest::newRow("panned to -37.5..217.5") << -37.5 << 217.5 << 400 << 14 << NoTrace << 10.0;
    QTest::newRow("room rounds to 0") << 0.0 << 255.0 << 10 << 26 << NoTrace << 1e-12;
    QTest::newRow("no label size: room 1") << 0.0 << 255.0 << 400 << 0 << NoTrace << 200.0;
    QTest::newRow("empty range starts at 1") << 5.0 << 5.0 << 400 << 14 << NoTrace << 1.0;
    // 1.7e308 / 8.5e307 is 2 steps for room 1; 1e308 still 2; the next ladder step overflows.
    QTest::newRow("step overflowing is the range")
        << 0.0 << 1.7e308 << 30 << 26 << NoTrace << 1.7e308;
    // An infinite range counts too many steps for an integer at every ladder step.
    QTest::newRow("infinite range") << -1e308 << 1e308 << 400 << 14 << NoTrace << Infinity;
}

void TestAxisLabels::labelStep() {
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(int, length);
    QFETCH(int, labelSize);
    QFETCH(int, tracePoints);
    QFETCH(double, step);
    const std::optional<int> trace =
        tracePoints == NoTrace ? std::nullopt : std::optional<int>(tracePoints);
    QCOMPARE(LabelStep(minimum, maximum, length, labelSize, trace), step);
}

void TestAxisLabels::ladder_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("next");
    QTest::newRow("1") << 1.0 << 2.0;
    QTest::newRow("2") << 2.0 << 5.0;
    QTest::newRow("4.99") << 4.99 << 5.0;
    QTest::newRow("5") << 5.0 << 10.0;
    QTest::newRow("6.54") << 6.54 << 10.0;
    QTest::newRow("10") << 10.0 << 20.0;
    QTest::newRow("344.8") << 344.8 << 500.0;
    QTest::newRow("500") << 500.0 << 1000.0;
    QTest::newRow("0.098") << 0.098 << 0.1;
    QTest::newRow("0.1") << 0.1 << 0.2;
    QTest::newRow("0.5") << 0.5 << 1.0;
    QTest::newRow("infinite") << Infinity << 1.0;
}

void TestAxisLabels::ladder() {
    QFETCH(double, x);
    QFETCH(double, next);
    QCOMPARE(NextLadderStep(x), next);
}

void TestAxisLabels::labelledValues_data() {
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("last");
    QTest::newRow("0..255 step 10: 255 unlabelled") << 0.0 << 255.0 << 10.0 << 26 << 250.0 << 0.0;
    QTest::newRow("0..255 step 5: 255 labelled") << 0.0 << 255.0 << 5.0 << 52 << 255.0 << 0.0;
    QTest::newRow("-37.5..217.5 step 20") << -37.5 << 217.5 << 20.0 << 12 << 200.0 << -20.0;
    QTest::newRow("negative maximum: truncation rounds up")
        << -95.0 << -5.0 << 20.0 << 4 << -20.0 << -80.0;
    // 1.3 - 5 x 0.1 ends a hair below 0.8: the lower bound keeps it.
    QTest::newRow("rounding below a positive minimum") << 0.8 << 1.3 << 0.1 << 6 << 1.3 << 0.8;
    // 0.7 / 0.1 is a hair below 7: the maximum itself is not labelled.
    QTest::newRow("truncation below the maximum") << 0.3 << 0.7 << 0.1 << 4 << 0.6 << 0.3;
    QTest::newRow("same value") << 5.0 << 5.0 << 1.0 << 1 << 5.0 << 5.0;
    QTest::newRow("same value within tolerance") << 7.0 << 7.0 + 1e-13 << 1.0 << 1 << 7.0 << 7.0;
    QTest::newRow("range of 1e-12 or less") << 0.0 << 1e-13 << 1.0 << 1 << 0.0 << 0.0;
    QTest::newRow("step lost in the magnitude")
        << 1e20 << 1e20 + 1e6 << 1000.0 << 1 << 1e20 + 1e6 << 1e20 + 1e6;
    QTest::newRow("9999 steps") << 0.0 << 9999.0 << 1.0 << 10000 << 9999.0 << 0.0;
    QTest::newRow("10000 steps: none") << 0.0 << 10000.0 << 1.0 << 0 << 0.0 << 0.0;
    QTest::newRow("far more steps: none") << 0.0 << 255.0 << 1e-12 << 0 << 0.0 << 0.0;
}

void TestAxisLabels::labelledValues() {
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, step);
    QFETCH(int, count);
    QFETCH(double, first);
    QFETCH(double, last);
    const std::vector<double> values = LabelledValues(minimum, maximum, step);
    QCOMPARE(int(values.size()), count);
    if (count == 0)
        return;
    QCOMPARE(values.front(), first);
    QVERIFY2(std::fabs(values.back() - last) <= 1e-9 * std::max(1.0, std::fabs(last)),
             qPrintable(QString::number(values.back(), 'g', 17)));
    for (std::size_t i = 1; i < values.size(); ++i)
        QVERIFY(values[i] < values[i - 1]);
}

void TestAxisLabels::noRoomMeansNoLabels() {
    // Room 0 gives the tiny step; even a range holding fewer than 10000 of them shows nothing.
    QVERIFY(AxisLabelValues(0, 255, 10, 26).empty());
    QVERIFY(AxisLabelValues(0, 1e-9, 10, 26).empty());
    QCOMPARE(AxisLabelValues(0, 255, 1100, 26, 1).size(), std::size_t(26));
}

void TestAxisLabels::sizingValues_data() {
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("middle");
    QTest::newRow("0..255") << 0.0 << 255.0 << 127.5;
    QTest::newRow("0..10000") << 0.0 << 10000.0 << 312.5;
    QTest::newRow("-10..10: midpoint 0") << -10.0 << 10.0 << 0.0;
    QTest::newRow("0..0.5") << 0.0 << 0.5 << 0.25;
}

void TestAxisLabels::sizingValues() {
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, middle);
    const auto values = SizingValues(minimum, maximum);
    QCOMPARE(values[0], minimum);
    QCOMPARE(values[1], maximum);
    QCOMPARE(values[2], middle);
}

void TestAxisLabels::formatsLabels_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        double value;
        const char* english;
        const char* german;
    } cases[] = {
        {10000, "10,000", "10.000"},
        {12.5, "12.5", "12,5"},
        {12.3456, "12.346", "12,346"},
        {250, "250", "250"},
        {-20, "-20", "-20"},
        {0, "0", "0"},
        {-1234567.25, "-1,234,567.25", "-1.234.567,25"},
        {0.1 + 0.2, "0.3", "0,3"},
        {-2.7e-17, "0", "0"}, // the label at 0 after a run of subtractions of 0.1
        {-0.0004, "0", "0"},
    };
    for (const auto& c : cases) {
        QTest::addRow("English %s", c.english) << english << c.value << QString(c.english);
        QTest::addRow("German %s", c.german) << german << c.value << QString(c.german);
    }
    // The C locale leaves out group separators unless told otherwise; the format groups.
    QTest::newRow("C 10,000") << QLocale::c() << 10000.0 << QStringLiteral("10,000");
}

void TestAxisLabels::formatsLabels() {
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatLabel(value, locale), text);
}

void TestAxisLabels::minorTicks_data() {
    QTest::addColumn<QList<int>>("labels");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QList<int>>("ticks");
    // Horizontal: the highest label is rightmost. Beyond it the ticks reach the end, which is
    // not strictly inside; beyond the lowest they continue towards the start.
    QTest::newRow("horizontal") << QList<int>{100, 60, 20} << 0 << 120
                                << QList<int>{110, 90, 80, 70, 50, 40, 30, 10};
    // Vertical: the highest label is at the top. Quarters of 30 round half to even: 8, 15, 22.
    QTest::newRow("vertical") << QList<int>{5, 35, 65} << 0 << 70
                              << QList<int>{13, 20, 27, 43, 50, 57};
    QTest::newRow("one label: no spacing") << QList<int>{50} << 0 << 100 << QList<int>{};
}

void TestAxisLabels::minorTicks() {
    QFETCH(QList<int>, labels);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QList<int>, ticks);
    const std::vector<int> result =
        MinorTickPixels(std::vector<int>(labels.begin(), labels.end()), start, end);
    QCOMPARE(QList<int>(result.begin(), result.end()), ticks);
}

QTEST_APPLESS_MAIN(TestAxisLabels)
#include "tst_axislabels.moc"
