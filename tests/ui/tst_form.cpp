#include "chart/Chart.h"
#include "chart/Series.h"
#include "engine/WaveTables.h"
#include "tests/ui/ShownWindow.h"
#include "ui/CheckBox.h"
#include "ui/RadioButton.h"
#include "ui/Unit1.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(const TWaveTable*)

namespace {

// Steps with the "+1" button, as a user does.
struct Window : ShownWindow {
    void click(QWidget* control) const { QTest::mouseClick(control, Qt::LeftButton); }
    void steps(int k) const {
        for (int i = 0; i < k; ++i)
            click(form->Button1);
    }
    QString display() const { return form->stHi->text(); }
    int count() const { return form->Series1->Count(); }
    double lastY() const { return form->Series1->YValues()[count() - 1]; }
    double lastX() const { return form->Series1->XValues()[count() - 1]; }
};

} // namespace

class TestForm : public QObject {
    Q_OBJECT
private slots:
    void startUpState();
    void stepsOutputTheSampleAtTheNewPointer();
    void pointerWrapsFrom255();
    void resetKeepsTheTrace();
    void waveformSelection_data();
    void waveformSelection();
    void clearEmptiesTheTrace();
};

void TestForm::startUpState() {
    Window w;
    QCOMPARE(w->windowTitle(), QStringLiteral("Quarnel Electronics WAWETable simulator"));
    QCOMPARE(w.display(), QStringLiteral("0"));
    QCOMPARE(w.count(), 1);
    QCOMPARE(w.lastX(), 0.0);
    QCOMPARE(w.lastY(), 128.0);
    QVERIFY(w->rbSin->isChecked());
    QVERIFY(w->Button1->isEnabled());
    QVERIFY(WaveTable == SinTable);
    const std::pair<QAbstractButton*, const char*> captions[] = {
        {w->Button1, "+1"},  {w->Button2, "Reset"},       {w->cbAuto, "START  AUTO"},
        {w->btnZoom, "1:1"}, {w->btnClearChart, "Clear"}, {w->cbAutoClear, "Auto Clear"},
        {w->btn256, "256"},  {w->rbSin, "SIN"},           {w->rbSaw, "SAW"},
        {w->rbRSaw, "RSAW"}, {w->rbTri, "TRI"},           {w->rbSqr, "SQR"},
        {w->rbEcg, "ECG"},
    };
    for (const auto& [button, caption] : captions)
        QCOMPARE(button->text(), QString::fromLatin1(caption));
}

void TestForm::stepsOutputTheSampleAtTheNewPointer() {
    Window w;
    w.steps(1);
    QCOMPARE(w.display(), QStringLiteral("1"));
    QCOMPARE(w.lastY(), 131.0);
    w.steps(63);
    QCOMPARE(w.display(), QStringLiteral("64"));
    QCOMPARE(w.lastY(), 255.0);
    QCOMPARE(w.count(), 65);
    for (int i = 0; i < w.count(); ++i)
        QCOMPARE(w->Series1->XValues()[i], double(i));
}

void TestForm::pointerWrapsFrom255() {
    Window w;
    w->cbAutoClear->setChecked(false); // keep every point, to see the whole sweep
    w.steps(255);
    QCOMPARE(w.display(), QStringLiteral("255"));
    w.steps(1);
    QCOMPARE(w.display(), QStringLiteral("0"));
    QCOMPARE(w.lastY(), double(SinTable[0]));
    QCOMPARE(w.count(), 257);
}

void TestForm::resetKeepsTheTrace() {
    Window w;
    w.steps(9);
    QCOMPARE(w.count(), 10);
    w.click(w->Button2);
    QCOMPARE(w.display(), QStringLiteral("0"));
    QCOMPARE(w.count(), 10);
    w.steps(1);
    QCOMPARE(w.display(), QStringLiteral("1"));
    QCOMPARE(w.lastX(), 10.0);
    QCOMPARE(w.lastY(), double(SinTable[1]));
}

void TestForm::waveformSelection_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<const TWaveTable*>("table");
    QTest::addColumn<bool>("stepping"); // automatic stepping runs throughout
    QTest::newRow("ECG") << "rbEcg" << &EcgTable << false;
    QTest::newRow("SAW") << "rbSaw" << &SawTable << false;
    QTest::newRow("RSAW") << "rbRSaw" << &RSawTable << false;
    QTest::newRow("TRI") << "rbTri" << &TriTable << false;
    QTest::newRow("SQR") << "rbSqr" << &SqrTable << false;
    QTest::newRow("ECG while stepping runs: it goes on") << "rbEcg" << &EcgTable << true;
}

void TestForm::waveformSelection() {
    QFETCH(QString, button);
    QFETCH(const TWaveTable*, table);
    QFETCH(bool, stepping);
    Window w;
    w.steps(5);
    if (stepping) {
        w->cbAuto->SetChecked(true);
        QTRY_VERIFY(w.count() > 6);
    }
    auto* radio = w->findChild<TRadioButton*>(button);
    QVERIFY(radio);
    w.click(radio);
    QVERIFY(radio->isChecked());
    QVERIFY(WaveTable == *table);
    QCOMPARE(w.count(), 0);
    QCOMPARE(w.display(), QStringLiteral("0"));
    // The next step, by "+1" or by the clock's next tick, outputs the new table's index 1.
    if (stepping) {
        QTRY_VERIFY(w.count() > 0);
    } else {
        w.steps(1);
        QCOMPARE(w.count(), 1);
    }
    QCOMPARE(w->Series1->XValues()[0], 0.0);
    QCOMPARE(w->Series1->YValues()[0], double((*table)[1]));
    QCOMPARE(w->cbAuto->Checked(), stepping);

    // And back to SIN.
    w.click(w->rbSin);
    QVERIFY(WaveTable == SinTable);
    if (!stepping)
        QCOMPARE(w.count(), 0);
}

void TestForm::clearEmptiesTheTrace() {
    Window w;
    w.steps(3);
    w.click(w->btnClearChart);
    QCOMPARE(w.count(), 0);
    QCOMPARE(w.display(), QStringLiteral("3"));
    w.steps(1);
    QCOMPARE(w.lastX(), 0.0);
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
