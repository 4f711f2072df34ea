#include "signal/Frequency.h"

#include <QTest>

class TestFrequency : public QObject {
    Q_OBJECT
private slots:
    void outputFrequency_data();
    void outputFrequency();
    void stepRateForPitch();
};

void TestFrequency::outputFrequency_data() {
    QTest::addColumn<int>("intervalMs");
    QTest::addColumn<bool>("running");
    QTest::addColumn<double>("hertz");
    QTest::newRow("100 steps a second") << 10 << true << 100.0 / 256;
    QTest::newRow("1 ms runs at the clock's 10 ms") << 1 << true << 100.0 / 256;
    QTest::newRow("slowest speed, 500 ms") << 500 << true << 2.0 / 256;
    QTest::newRow("stopped") << 10 << false << 0.0;
    QTest::newRow("interval 0 never ticks") << 0 << true << 0.0;
}

void TestFrequency::outputFrequency() {
    QFETCH(int, intervalMs);
    QFETCH(bool, running);
    QFETCH(double, hertz);
    QCOMPARE(Frequency::OutputFrequency(intervalMs, running), hertz);
}

void TestFrequency::stepRateForPitch() {
    QCOMPARE(Frequency::StepRateForPitch(220), 56320.0);
    QCOMPARE(Frequency::StepRateForPitch(1760), 450560.0);
}

QTEST_APPLESS_MAIN(TestFrequency)
#include "tst_frequency.moc"
