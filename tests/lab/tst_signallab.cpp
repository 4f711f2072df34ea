#include "chart/Chart.h"
#include "lab/HarmonicsPlot.h"
#include "lab/LabWindow.h"
#include "lab/SignalLab.h"
#include "tests/ui/ShownWindow.h"
#include "ui/ChartMenu.h"
#include "ui/CheckBox.h"
#include "ui/RadioButton.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <map>

namespace {

// Counts the times the lab is shown and hidden, whoever does it.
class TVisibilityChanges : public QObject {
public:
    int changes = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) &&
            watched->objectName() == QLatin1String("SignalLab"))
            ++changes;
        return false;
    }
};

// The main window with the lab attached, as the program starts it; the keys the window's key
// preview is given are counted.
struct Window : ShownWindow {
    TSignalLab* lab;
    std::map<int, int> previewed;

    Window() : ShownWindow(TWaitFor::Active), lab(new TSignalLab(*form)) {
        form->Chart1->setFocus();
        auto preview = form->OnKeyDown;
        form->OnKeyDown = [this, preview](QObject* Sender, int& Key, Qt::KeyboardModifiers Shift) {
            ++previewed[Key];
            preview(Sender, Key, Shift);
        };
    }
    bool shown() const { return lab->Window() != nullptr && lab->Window()->isVisible(); }
    QString labText(const char* label) const {
        return lab->Window()->findChild<QLabel*>(QString::fromLatin1(label))->text();
    }
    QString harmonics() const {
        return QAccessible::queryAccessibleInterface(
                   lab->Window()->findChild<THarmonicsPlot*>("harmonics"))
            ->text(QAccessible::Description);
    }
    // Where every control of the main window is.
    std::map<QString, QRect> geometry() const {
        std::map<QString, QRect> places{{"Form1", form->geometry()}};
        for (const QWidget* widget : form->findChildren<QWidget*>())
            if (widget->window() == form.get())
                places[widget->objectName()] = widget->geometry();
        return places;
    }
};

} // namespace

// The lab beside the real main window: opened and hidden by F2, following the window's state,
// and leaving the window's keys, layout and closing as they were.
class TestSignalLab : public QObject {
    Q_OBJECT
private slots:
    void f2OpensAndHidesTheLab_data();
    void f2OpensAndHidesTheLab();
    void spaceBarStillTogglesWithTheLabOpen();
    void chartMenuEntryOpensTheLab();
    void followsTheMainWindow();
    void closesWithTheMainWindow();
};

void TestSignalLab::f2OpensAndHidesTheLab_data() {
    QTest::addColumn<bool>("throughTheWindowSystem");
    QTest::newRow("to the focused control") << false;
    QTest::newRow("through the window system") << true;
}

void TestSignalLab::f2OpensAndHidesTheLab() {
    QFETCH(bool, throughTheWindowSystem);
    Window w;
    const auto f2 = [&](QWidget* window, bool repeat = false) {
        if (throughTheWindowSystem && !repeat)
            QTest::keyClick(window->windowHandle(), Qt::Key_F2);
        else
            QTest::simulateEvent(window->focusWidget() ? window->focusWidget() : window, true,
                                 Qt::Key_F2, {}, QString(), repeat);
    };
    const auto before = w.geometry();
    QVERIFY(w.lab->Window() == nullptr);
    TVisibilityChanges visibility;
    qApp->installEventFilter(&visibility);

    f2(w.form.get());
    QVERIFY(w.shown());
    // The key preview still sees F2, once, and leaves it to go on.
    QCOMPARE(w.previewed[Qt::Key_F2], 1);
    QCOMPARE(visibility.changes, 1); // one toggle, though the chart hands the key on to its parents
    QCOMPARE(w.geometry(), before);

    // Held down, it does not flicker: repeats are not toggles.
    f2(w.form.get(), true);
    QVERIFY(w.shown());

    f2(w.lab->Window());
    QVERIFY(!w.shown());
    QCOMPARE(w.previewed[Qt::Key_F2], 2); // the lab's own keys are not the main window's
    f2(w.form.get());
    QVERIFY(w.shown());
    f2(w.form.get());
    QVERIFY(!w.shown());
    QCOMPARE(visibility.changes, 4);
    QCOMPARE(w.geometry(), before);
}

void TestSignalLab::spaceBarStillTogglesWithTheLabOpen() {
    Window w;
    w.lab->Toggle();
    QVERIFY(w.shown());
    QTest::keyClick(w->Chart1, Qt::Key_Space);
    QVERIFY(w->cbAuto->Checked());
    QCOMPARE(w.previewed[Qt::Key_Space], 1);
    QTest::keyClick(w->Chart1, Qt::Key_Space);
    QVERIFY(!w->cbAuto->Checked());
}

// "Signal lab…" opens the lab, or brings it to the front; it never hides it.
void TestSignalLab::chartMenuEntryOpensTheLab() {
    Window w;
    QAction* entry = nullptr;
    for (QAction* action : w->ChartMenu().actions())
        if (action->text() == QStringLiteral("Signal lab…"))
            entry = action;
    QVERIFY(entry != nullptr);
    QCOMPARE(w->ChartMenu().actions().back(), entry);
    entry->trigger();
    QVERIFY(w.shown());
    entry->trigger();
    QVERIFY(w.shown());
    w.lab->Toggle();
    QVERIFY(!w.shown());
    entry->trigger();
    QVERIFY(w.shown());
}

void TestSignalLab::followsTheMainWindow() {
    Window w;
    // A change made before the lab first opens is there when it does.
    QTest::mouseClick(w->rbSqr, Qt::LeftButton);
    w.lab->Toggle();
    QVERIFY2(w.harmonics().contains("2: below -120 dB, 3: -9.5 dB"), qPrintable(w.harmonics()));
    QCOMPARE(w.labText("frequency"),
             "Output frequency: stopped (0.39 Hz at 100 steps a second once started)");

    QTest::mouseClick(w->rbSaw, Qt::LeftButton);
    QVERIFY2(w.harmonics().contains("2: -6.0 dB, 3: -9.5 dB"), qPrintable(w.harmonics()));
    w->TrackBar1->SetPosition(1);
    QCOMPARE(w.labText("frequency"),
             "Output frequency: stopped (0.0078 Hz at 2 steps a second once started)");
    QTest::mouseClick(w->cbAuto, Qt::LeftButton);
    QCOMPARE(w.labText("frequency"), "Output frequency: 0.0078 Hz at 2 steps a second");
    w->TrackBar1->SetPosition(451);
    QCOMPARE(w.labText("frequency"), "Output frequency: 0.078 Hz at 20 steps a second");
    QTest::mouseClick(w->cbAuto, Qt::LeftButton);
    QCOMPARE(w.labText("frequency"),
             "Output frequency: stopped (0.078 Hz at 20 steps a second once started)");
}

// Closing the main window hides the lab and ends the event loop, as it does without the lab.
void TestSignalLab::closesWithTheMainWindow() {
    Window w;
    w.lab->Toggle();
    QVERIFY(w.shown());
    QTimer::singleShot(0, w.form.get(), [&] { w->close(); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!w.shown());
}

QTEST_MAIN(TestSignalLab)
#include "tst_signallab.moc"
