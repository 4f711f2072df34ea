#include "engine/WaveTables.h"

#include <QTest>
#include <cmath>
#include <functional>
#include <numbers>

Q_DECLARE_METATYPE(const TWaveTable*)

class TestWaveTables : public QObject {
    Q_OBJECT
private slots:
    void followsItsRule_data();
    void followsItsRule();
    void sineFigures_data();
    void sineFigures();
    void sineHoldsItsExtremes();
    void ecgFigures_data();
    void ecgFigures();
};

using Rule = std::function<int(int)>;

void TestWaveTables::followsItsRule_data() {
    QTest::addColumn<const TWaveTable*>("table");
    QTest::addColumn<Rule>("rule");
    QTest::newRow("SIN") << &SinTable << Rule([](int i) {
        // The naive formula, with the quarter points where rounding could mislead it fixed.
        if (i == 128)
            return 128;
        if (i == 192)
            return 0;
        const double v = std::floor(128 + 128 * std::sin(2 * std::numbers::pi * i / 256));
        return std::min(255, static_cast<int>(v));
    });
    QTest::newRow("SAW") << &SawTable << Rule([](int i) { return i; });
    QTest::newRow("RSAW") << &RSawTable << Rule([](int i) { return 255 - i; });
    QTest::newRow("TRI") << &TriTable
                         << Rule([](int i) { return i < 128 ? 2 * i : 255 - 2 * (i - 128); });
    QTest::newRow("SQR") << &SqrTable << Rule([](int i) { return i < 128 ? 0 : 255; });
}

void TestWaveTables::followsItsRule() {
    QFETCH(const TWaveTable*, table);
    QFETCH(Rule, rule);
    for (int i = 0; i < 256; ++i)
        QVERIFY2(
            (*table)[i] == rule(i),
            qPrintable(
                QStringLiteral("index %1: %2, expected %3").arg(i).arg((*table)[i]).arg(rule(i))));
}

void TestWaveTables::sineFigures_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("quarter 0") << 0 << QList<int>{128};
    QTest::newRow("peak clamped at 64") << 64 << QList<int>{255};
    QTest::newRow("zero crossing at 128, not 127") << 128 << QList<int>{128};
    QTest::newRow("trough at 192") << 192 << QList<int>{0};
    QTest::newRow("indices 0..15") << 0 << QList<int>{128, 131, 134, 137, 140, 143, 146, 149,
                                                      152, 156, 159, 162, 165, 168, 171, 174};
    QTest::newRow("indices 128..143") << 128 << QList<int>{128, 124, 121, 118, 115, 112, 109, 106,
                                                           103, 99,  96,  93,  90,  87,  84,  81};
}

void TestWaveTables::sineFigures() {
    QFETCH(int, first);
    QFETCH(QList<int>, values);
    for (int k = 0; k < values.size(); ++k)
        QCOMPARE(int(SinTable[first + k]), values[k]);
}

void TestWaveTables::sineHoldsItsExtremes() {
    for (int i = 0; i < 256; ++i) {
        const bool top = i >= 59 && i <= 69;
        const bool bottom = i >= 187 && i <= 197;
        QCOMPARE(SinTable[i] == 255, top);
        QCOMPARE(SinTable[i] == 0, bottom);
    }
}

void TestWaveTables::ecgFigures_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    QTest::newRow("starts at 73") << 0 << 73;
    QTest::newRow("index 1") << 1 << 74;
    QTest::newRow("QRS peak") << 50 << 255;
    QTest::newRow("QRS trough") << 60 << 0;
    for (int i = 122; i <= 126; ++i)
        QTest::addRow("T wave %d", i) << i << 127;
    QTest::newRow("ends at 73") << 255 << 73;
    // Every value of the heartbeat as the design lists it, row r holding indices r..r+15, so that
    // a slip anywhere in the engine's copy shows here with its index.
    // clang-format off
    static constexpr int Listed[256] = {
     73,  74,  75,  75,  74,  73,  73,  73,  73,  72,  71,  69,  68,  67,  67,  67,  // 0
     68,  68,  67,  65,  62,  61,  59,  57,  56,  55,  55,  54,  54,  54,  55,  55,  // 16
     55,  55,  55,  55,  54,  53,  51,  50,  49,  49,  52,  61,  77, 101, 132, 169,  // 32
    207, 238, 255, 254, 234, 198, 154, 109,  68,  37,  17,   5,   0,   1,   6,  13,  // 48
     20,  28,  36,  45,  52,  57,  61,  64,  65,  66,  67,  68,  68,  69,  70,  71,  // 64
     71,  71,  71,  71,  71,  71,  71,  72,  72,  72,  73,  73,  74,  75,  75,  76,  // 80
     77,  78,  79,  80,  81,  82,  83,  84,  86,  88,  91,  93,  96,  98, 100, 102,  // 96
    104, 107, 109, 112, 115, 118, 121, 123, 125, 126, 127, 127, 127, 127, 127, 126,  // 112
    125, 124, 121, 119, 116, 113, 109, 105, 102,  98,  95,  92,  89,  87,  84,  81,  // 128
     79,  77,  76,  75,  74,  73,  72,  70,  69,  68,  67,  67,  67,  68,  68,  68,  // 144
     69,  69,  69,  69,  69,  69,  69,  70,  71,  72,  73,  73,  74,  74,  75,  75,  // 160
     75,  75,  75,  75,  74,  74,  73,  73,  73,  73,  72,  72,  72,  71,  71,  71,  // 176
     71,  71,  71,  71,  70,  70,  70,  69,  69,  69,  69,  69,  70,  70,  70,  69,  // 192
     68,  68,  67,  67,  67,  67,  66,  66,  66,  65,  65,  65,  65,  65,  65,  65,  // 208
     65,  64,  64,  63,  63,  64,  64,  65,  65,  65,  65,  65,  65,  65,  64,  64,  // 224
     64,  64,  64,  64,  64,  64,  65,  65,  65,  66,  67,  68,  69,  71,  72,  73,  // 240
    };
    // clang-format on
    for (int i = 0; i < 256; ++i)
        QTest::addRow("listed value %d", i) << i << Listed[i];
}

void TestWaveTables::ecgFigures() {
    QFETCH(int, index);
    QFETCH(int, value);
    QCOMPARE(int(EcgTable[index]), value);
}

QTEST_APPLESS_MAIN(TestWaveTables)
#include "tst_wavetables.moc"
