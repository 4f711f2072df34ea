#include "lab/HarmonicsPlot.h"
#include "lab/LabSource.h"
#include "lab/LabWindow.h"
#include "lab/ReconstructionPlot.h"
#include "lab/SoundOutput.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <algorithm>

Q_DECLARE_METATYPE(const TWaveTable*)

namespace {

// The generator's state as a test sets it, in place of a main window.
class TFakeSource : public TLabSource {
public:
    TWaveTable table = SinTable;
    int intervalMs = 1;
    bool stepping = false;

    TWaveTable Table() const override { return table; }
    int StepIntervalMs() const override { return intervalMs; }
    bool Stepping() const override { return stepping; }

    void Set(const TWaveTable& newTable, int newInterval, bool newStepping) {
        table = newTable;
        intervalMs = newInterval;
        stepping = newStepping;
        emit Changed();
    }
};

struct Lab {
    TFakeSource source;
    TLabWindow window{source};

    template <typename T> T* find(const char* name) const {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr)
            qFatal("the lab has no %s", name);
        return found;
    }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }
    QString harmonics() const {
        return QAccessible::queryAccessibleInterface(find<THarmonicsPlot>("harmonics"))
            ->text(QAccessible::Description);
    }
    // The filtered THD as shown, in percent.
    double filteredThd() const {
        const QString shown = text("filtered thd");
        return shown.section(QStringLiteral("after the filter "), 1).section(' ', 0, 0).toDouble();
    }
};

} // namespace

// The window on its own, driven by a fake source: what it shows for a table, a speed and a run
// state, what the cutoff does, and what it says without a sound output.
class TestLabWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void showsTheTable_data();
    void showsTheTable();
    void frequencyFollowsSpeedAndRunState_data();
    void frequencyFollowsSpeedAndRunState();
    void cutoffMovesTheFilteredThd();
    void curveFitsThePlot_data();
    void curveFitsThePlot();
    void listenSaysWhyThereIsNoSound();
    void everyControlIsNamed();
};

void TestLabWindow::initTestCase() {
    QAccessible::setActive(true);
}

void TestLabWindow::showsTheTable_data() {
    QTest::addColumn<const TWaveTable*>("table");
    QTest::addColumn<QString>("dc");
    QTest::addColumn<QString>("firstHarmonics");
    // SQR: odd harmonics at 1/m (times the hold's sinc), no even ones. SAW: every harmonic at
    // 1/m. TRI: odd ones at 1/m^2.
    QTest::newRow("SQR")
        << &SqrTable << "DC level: 127.5"
        << "1: 0.0 dB, 2: below -120 dB, 3: -9.5 dB, 4: below -120 dB, 5: -14.0 dB";
    QTest::newRow("SAW") << &SawTable << "DC level: 127.5"
                         << "1: 0.0 dB, 2: -6.0 dB, 3: -9.5 dB, 4: -12.0 dB, 5: -14.0 dB";
    QTest::newRow("TRI")
        << &TriTable << "DC level: 127.5"
        << "1: 0.0 dB, 2: below -120 dB, 3: -19.1 dB, 4: below -120 dB, 5: -28.0 dB";
}

// The harmonics, as the bars' description reads them, and the DC level follow the source's table.
void TestLabWindow::showsTheTable() {
    QFETCH(const TWaveTable*, table);
    QFETCH(QString, dc);
    QFETCH(QString, firstHarmonics);
    Lab lab;
    QVERIFY(!lab.harmonics().contains(firstHarmonics));
    lab.source.Set(*table, 1, false);
    QVERIFY2(lab.harmonics().contains(firstHarmonics), qPrintable(lab.harmonics()));
    QCOMPARE(lab.harmonics().count(" dB"), 8);
    QCOMPARE(lab.text("dc"), dc);
    QVERIFY(lab.text("thd").startsWith("THD: "));
    QVERIFY(lab.text("filtered thd").contains(lab.text("thd").mid(5)));
}

void TestLabWindow::frequencyFollowsSpeedAndRunState_data() {
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("stepping");
    QTest::addColumn<QString>("shown");
    // The speed slider's right end asks for 1 ms; the clock runs at 10 ms, 100 steps a second.
    QTest::newRow("fastest, running") << 1 << true << "0.39 Hz at 100 steps a second";
    QTest::newRow("fastest, stopped")
        << 1 << false << "stopped (0.39 Hz at 100 steps a second once started)";
    QTest::newRow("10 ms") << 10 << true << "0.39 Hz at 100 steps a second";
    QTest::newRow("400 ms") << 400 << true << "0.0098 Hz at 2.5 steps a second";
    QTest::newRow("slowest") << 500 << true << "0.0078 Hz at 2 steps a second";
    QTest::newRow("no ticks") << 0 << true << "stopped";
}

void TestLabWindow::frequencyFollowsSpeedAndRunState() {
    QFETCH(int, interval);
    QFETCH(bool, stepping);
    QFETCH(QString, shown);
    Lab lab;
    lab.source.Set(SinTable, interval, stepping);
    QCOMPARE(lab.text("frequency"), "Output frequency: " + shown);
    QCOMPARE(lab.text("step rate"), "Step rate for the pitch: 56320 steps a second for 220 Hz");
    lab.find<QSlider>("Pitch")->setValue(1000);
    QCOMPARE(lab.text("step rate"), "Step rate for the pitch: 256000 steps a second for 1000 Hz");
    QCOMPARE(lab.text("pitch"), "1000 Hz");
}

// A lower cutoff leaves less of the stairs' images, which are most of SIN's distortion: the
// filtered THD falls, the stairs' stays.
void TestLabWindow::cutoffMovesTheFilteredThd() {
    Lab lab;
    auto* cutoff = lab.find<QSlider>("Filter cutoff");
    QCOMPARE(cutoff->minimum(), 5);
    QCOMPARE(cutoff->maximum(), 50);
    const QString stairs = lab.text("thd");
    cutoff->setValue(50);
    const double wide = lab.filteredThd();
    const std::vector<double> wideCurve = lab.find<TReconstructionPlot>("reconstruction")->Curve();
    cutoff->setValue(5);
    QCOMPARE(lab.text("cutoff"), "0.05 of the step rate");
    QVERIFY2(lab.filteredThd() < wide / 2, qPrintable(lab.text("filtered thd")));
    QCOMPARE(lab.text("thd"), stairs);
    QVERIFY(lab.find<TReconstructionPlot>("reconstruction")->Curve() != wideCurve);
}

void TestLabWindow::curveFitsThePlot_data() {
    QTest::addColumn<const TWaveTable*>("table");
    QTest::addColumn<double>("cutoff");
    const std::pair<const char*, const TWaveTable*> tables[] = {
        {"SIN", &SinTable}, {"SAW", &SawTable}, {"RSAW", &RSawTable},
        {"TRI", &TriTable}, {"SQR", &SqrTable}, {"ECG", &EcgTable}};
    for (const auto& [name, table] : tables)
        for (double cutoff : {0.05, 0.2, 0.5})
            QTest::addRow("%s at %g", name, cutoff) << table << cutoff;
}

// The filter overshoots the Sample range; the plot's range holds the whole curve.
void TestLabWindow::curveFitsThePlot() {
    QFETCH(const TWaveTable*, table);
    QFETCH(double, cutoff);
    TReconstructionPlot plot;
    plot.SetTable(*table, cutoff);
    const auto [low, high] = std::minmax_element(plot.Curve().begin(), plot.Curve().end());
    QVERIFY2(*low > plot.LeftAxis().Minimum(), qPrintable(QString::number(*low)));
    QVERIFY2(*high < plot.LeftAxis().Maximum(), qPrintable(QString::number(*high)));
}

// Run with PULSE_SERVER pointing nowhere: Listen is disabled and says why, to the eye and to a
// screen reader, and nothing waits for it.
void TestLabWindow::listenSaysWhyThereIsNoSound() {
    QVERIFY2(qEnvironmentVariable("PULSE_SERVER").startsWith("unix:/nonexistent"),
             "run by CTest with PULSE_SERVER pointing nowhere");
    Lab lab;
    auto* listen = lab.find<QCheckBox>("Listen");
    QVERIFY(!listen->isEnabled());
    QTRY_COMPARE(lab.window.Sound().Status(), TSoundOutput::TStatus::Unavailable);
    QVERIFY(!listen->isEnabled());
    QVERIFY(!listen->isChecked());
    const QString reason = lab.window.Sound().UnavailableReason();
    QVERIFY(reason.startsWith("No sound output"));
    QCOMPARE(listen->toolTip(), reason);
    QCOMPARE(QAccessible::queryAccessibleInterface(listen)->text(QAccessible::Description), reason);
}

void TestLabWindow::everyControlIsNamed() {
    Lab lab;
    lab.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&lab.window));
    QStringList names;
    for (QWidget* widget : lab.window.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractButton*>(widget) == nullptr &&
            qobject_cast<QSlider*>(widget) == nullptr && qobject_cast<TLabPlot*>(widget) == nullptr)
            continue;
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(view != nullptr);
        QVERIFY2(!view->text(QAccessible::Name).isEmpty(), qPrintable(widget->objectName()));
        names << view->text(QAccessible::Name);
        if (qobject_cast<TLabPlot*>(widget))
            QCOMPARE(view->role(), QAccessible::Chart);
    }
    names.sort();
    QCOMPARE(names, QStringList({"Filter cutoff", "Harmonics", "Listen", "Pitch", "Reconstruction",
                                 "Through the filter", "Volume"}));
}

QTEST_MAIN(TestLabWindow)
#include "tst_labwindow.moc"
