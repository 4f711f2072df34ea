// The texts the chart's menu puts on the clipboard, as plain functions: the trace for a
// spreadsheet and the working table as C source.
#include "engine/WaveTables.h"
#include "export/SamplesText.h"
#include "export/WaveTableSource.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <vector>

class TestExportText : public QObject {
    Q_OBJECT
private slots:
    void samplesText_data();
    void samplesText();
    void waveTableSource_data();
    void waveTableSource();
};

void TestExportText::samplesText_data() {
    QTest::addColumn<std::vector<double>>("x");
    QTest::addColumn<std::vector<double>>("y");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty trace: the header alone")
        << std::vector<double>{} << std::vector<double>{} << "X\tSample\n";
    QTest::newRow("the first points of SIN")
        << std::vector<double>{0, 1, 2} << std::vector<double>{128, 131, 134}
        << "X\tSample\n0\t128\n1\t131\n2\t134\n";
    // A locale with grouping and a decimal comma changes nothing.
    QTest::newRow("long trace in German")
        << std::vector<double>{9999, 10000} << std::vector<double>{255, 0}
        << "X\tSample\n9999\t255\n10000\t0\n";
}

void TestExportText::samplesText() {
    QFETCH(std::vector<double>, x);
    QFETCH(std::vector<double>, y);
    QFETCH(QString, text);
    const QLocale before;
    if (QString::fromLatin1(QTest::currentDataTag()).contains("German"))
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string written = SamplesText(x, y);
    QLocale::setDefault(before);
    QCOMPARE(QString::fromStdString(written), text);
}

Q_DECLARE_METATYPE(const TWaveTable*)

void TestExportText::waveTableSource_data() {
    QTest::addColumn<const TWaveTable*>("table");
    QTest::addColumn<QString>("name"); // empty: none of the six
    QTest::newRow("SIN") << &SinTable << "sin";
    QTest::newRow("SAW") << &SawTable << "saw";
    QTest::newRow("RSAW") << &RSawTable << "rsaw";
    QTest::newRow("TRI") << &TriTable << "tri";
    QTest::newRow("SQR") << &SqrTable << "sqr";
    QTest::newRow("ECG") << &EcgTable << "ecg";
    static const TWaveTable changed = [] {
        TWaveTable t = SinTable;
        t[200] ^= 1;
        return t;
    }();
    QTest::newRow("one byte off SIN") << &changed << "";
}

// The text compiles, and its values equal the table, in the C compiler's own words in
// tst_chartmenu; here, its shape: one comment line, the declaration, 16 lines of 16 values.
void TestExportText::waveTableSource() {
    QFETCH(const TWaveTable*, table);
    QFETCH(QString, name);
    QCOMPARE(QString::fromLatin1(WaveformName(*table).data(), WaveformName(*table).size()), name);

    const QString text = QString::fromStdString(WaveTableSource(*table));
    QVERIFY(text.endsWith(QLatin1String("\n};\n")));
    const QStringList lines = text.chopped(1).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 1 + 1 + 16 + 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^/\\* [^*]* \\*/$")).match(lines[0]).hasMatch(),
             qPrintable(lines[0]));
    QVERIFY2(lines[0].contains(name.isEmpty() ? QStringLiteral("none of") : name.toUpper()),
             qPrintable(lines[0]));
    const QString identifier =
        name.isEmpty() ? QStringLiteral("wave_table") : QStringLiteral("wave_table_") + name;
    QCOMPARE(lines[1], QStringLiteral("const unsigned char %1[256] = {").arg(identifier));
    QCOMPARE(lines.last(), QStringLiteral("};"));
    for (int row = 0; row < 16; ++row) {
        const QString line = lines[2 + row];
        QVERIFY2(line.startsWith(QLatin1String("    ")), qPrintable(line));
        const QStringList values = line.trimmed().split(QLatin1Char(','), Qt::SkipEmptyParts);
        QCOMPARE(values.size(), 16);
        QCOMPARE(line.endsWith(QLatin1Char(',')), row < 15); // no comma after the last value
        for (int i = 0; i < 16; ++i)
            QCOMPARE(values[i].trimmed().toInt(), int((*table)[row * 16 + i]));
    }
}

QTEST_APPLESS_MAIN(TestExportText)
#include "tst_exporttext.moc"
