#include "chart/Chart.h"
#include "chart/Series.h"
#include "engine/WaveTables.h"
#include "tests/ui/OpenMessageBoxes.h"
#include "tests/ui/ShownWindow.h"
#include "ui/CheckBox.h"
#include "ui/Image.h"
#include "ui/IntervalTimer.h"
#include "ui/RadioButton.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <optional>

namespace {

// The window as the user finds it after start-up: shown, active, the chart focused.
struct Window : ShownWindow {
    std::unique_ptr<QSignalSpy> toggles;

    Window() : ShownWindow(TWaitFor::Active) {
        form->Chart1->setFocus();
        toggles = std::make_unique<QSignalSpy>(form->cbAuto, &QCheckBox::toggled);
    }

    bool running() const { return form->cbAuto->Checked(); }
    int count() const { return form->Series1->Count(); }
    QWidget* focused() const {
        QWidget* widget = QApplication::focusWidget();
        return widget ? widget : form.get();
    }
    // Key events as the application delivers them: to the control that has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, bool repeat = false) const {
        QTest::simulateEvent(focused(), true, key, modifiers, QString(), repeat);
    }
    void release(Qt::Key key) const { QTest::keyRelease(focused(), key); }
    void steps(int k) const {
        for (int i = 0; i < k; ++i)
            form->Button1Click(form->Button1);
    }
    // One of the ways the user toggles automatic stepping.
    void toggleBy(const QString& way) const {
        if (way == "check box")
            QTest::mouseClick(form->cbAuto, Qt::LeftButton);
        else if (way == "arrow")
            QTest::mouseClick(form->Image1, Qt::LeftButton);
        else if (way == "space")
            QTest::keyClick(focused(), Qt::Key_Space);
        else
            QTest::keyClick(form->windowHandle(), Qt::Key_Space);
    }

    // Empty while the run state is consistent; otherwise what is wrong.
    QString broken() const {
        QStringList faults;
        if (form->Timer1->Enabled() != form->cbAuto->Checked())
            faults << "Timer1 enabled differs from START  AUTO";
        if (form->Button1->isEnabled() == form->cbAuto->Checked())
            faults << "+1 enabled equals START  AUTO";
        if (form->Timer2->Enabled() == form->Timer1->Enabled())
            faults << "Timer2 enabled equals Timer1 enabled";
        if (form->Timer1->Interval() != StepInterval(form->TrackBar1->Position()))
            faults << QStringLiteral("Timer1 interval %1 at position %2")
                          .arg(form->Timer1->Interval())
                          .arg(form->TrackBar1->Position());
        return faults.join("; ");
    }
};

#define VERIFY_INVARIANT(w) QVERIFY2((w).broken().isEmpty(), qPrintable((w).broken()))

// An error box left open would take the next case's input.
void CloseMessageBoxes() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(widget))
            widget->close();
}

QWidget* byName(const Window& w, const QString& name) {
    return name.isEmpty() ? w.form.get() : w->findChild<QWidget*>(name);
}

// What a press and release of the space bar does besides toggling, with the focus on one control.
// Controls go by object name; an empty name stands for the window itself.
struct SpaceBarCase {
    QString focus{};
    QString clicked{}; // the push button clicked on release
    bool runsAfterRelease = true;
    int pointsAfterRelease = 4;
    bool autoClearAfterRelease = true;
    QString waveformAfterRelease = "rbSin";
    std::optional<QString> focusAfterPress{}; // where the focus was before, unless given
};

} // namespace

Q_DECLARE_METATYPE(SpaceBarCase)

class TestAutoRun : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CloseMessageBoxes(); }
    void startsStopped();
    void eachWayTogglesOnce_data();
    void eachWayTogglesOnce();
    void aStartWithoutATimerLeavesSteppingOff_data();
    void aStartWithoutATimerLeavesSteppingOff();
    void doubleClicks_data();
    void doubleClicks();
    void spaceBarBesidesToggling_data();
    void spaceBarBesidesToggling();
    void spaceBarWithModifiersAndRepeats();
    void disabledControlGivesTheFocusToTheWindow_data();
    void disabledControlGivesTheFocusToTheWindow();
    void speed_data();
    void speed();
    void steppingRunsAtTheSliderRate_data();
    void steppingRunsAtTheSliderRate();
    void quickTogglesMakeNoBurstOfSteps();
    void pulseHeights_data();
    void pulseHeights();
    void arrowPulsesWhileStoppedAndFreezesWhileStepping();
};

void TestAutoRun::startsStopped() {
    Window w;
    QVERIFY(!w.running());
    QVERIFY(w->Button1->isEnabled());
    QVERIFY(w->Timer2->Enabled());
    QCOMPARE(w->Timer1->Interval(), 1);
    QCOMPARE(w->Timer2->Interval(), 300);
    VERIFY_INVARIANT(w);
}

void TestAutoRun::eachWayTogglesOnce_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("START  AUTO clicked") << "check box";
    QTest::newRow("arrow clicked") << "arrow";
    QTest::newRow("space bar on the focused control") << "space";
    QTest::newRow("space bar through the window system") << "window space";
}

void TestAutoRun::eachWayTogglesOnce() {
    QFETCH(QString, way);
    Window w;
    w.steps(2);
    const auto toggle = [&] { w.toggleBy(way); };
    toggle();
    QCOMPARE(w.toggles->count(), 1);
    QVERIFY(w.running());
    QVERIFY(!w->Button1->isEnabled());
    QCOMPARE(w.count(), 3); // starting makes no step
    VERIFY_INVARIANT(w);

    toggle();
    QCOMPARE(w.toggles->count(), 2);
    QVERIFY(!w.running());
    VERIFY_INVARIANT(w);
}

void TestAutoRun::aStartWithoutATimerLeavesSteppingOff_data() {
    eachWayTogglesOnce_data();
}

void TestAutoRun::aStartWithoutATimerLeavesSteppingOff() {
    QFETCH(QString, way);
    Window w;
    {
        const TIntervalTimer::TNoTimersAvailable noTimers;
        w.toggleBy(way);
    }
    // The check box went back, and the clocks and "+1" are as they were; the error is shown.
    QVERIFY(!w.running());
    QVERIFY(w->Button1->isEnabled());
    QVERIFY(w->Timer2->Enabled());
    VERIFY_INVARIANT(w);
    QCOMPARE(OpenMessageTexts(), QStringList{"Not enough timers available"});
    CloseMessageBoxes();

    // Once a timer can be had, the same way starts stepping.
    w.toggleBy(way);
    QVERIFY(w.running());
    VERIFY_INVARIANT(w);
}

void TestAutoRun::doubleClicks_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("toggles");
    QTest::newRow("arrow: the second press is no click") << "Image1" << 1;
    QTest::newRow("START  AUTO: two clicks") << "cbAuto" << 2;
}

void TestAutoRun::doubleClicks() {
    QFETCH(QString, control);
    QFETCH(int, toggles);
    Window w;
    // Through the window system, which turns the second press into a double-click event.
    QWidget* widget = byName(w, control);
    QTest::mouseDClick(w->windowHandle(), Qt::LeftButton, {},
                       widget->mapTo(w.form.get(), widget->rect().center()));
    QCOMPARE(w.toggles->count(), toggles);
    QCOMPARE(w.running(), toggles % 2 == 1);
    VERIFY_INVARIANT(w);
}

void TestAutoRun::spaceBarBesidesToggling_data() {
    QTest::addColumn<SpaceBarCase>("row");
    // Before the key: three steps made (4 points), Auto Clear on, SIN chosen, stepping stopped.
    QTest::newRow("chart") << SpaceBarCase{.focus = "Chart1"};
    QTest::newRow("Reset") << SpaceBarCase{.focus = "Button2", .clicked = "Button2"};
    QTest::newRow("1:1") << SpaceBarCase{.focus = "btnZoom", .clicked = "btnZoom"};
    QTest::newRow("Clear") << SpaceBarCase{
        .focus = "btnClearChart", .clicked = "btnClearChart", .pointsAfterRelease = 0};
    QTest::newRow("256") << SpaceBarCase{.focus = "btn256", .clicked = "btn256"};
    QTest::newRow("+1, which loses the focus")
        << SpaceBarCase{.focus = "Button1", .focusAfterPress = ""};
    QTest::newRow("START  AUTO, which undoes the toggle")
        << SpaceBarCase{.focus = "cbAuto", .runsAfterRelease = false};
    QTest::newRow("Auto Clear") << SpaceBarCase{.focus = "cbAutoClear",
                                                .autoClearAfterRelease = false};
    QTest::newRow("the checked radio button") << SpaceBarCase{.focus = "rbSin"};
    QTest::newRow("an unchecked radio button")
        << SpaceBarCase{.focus = "rbSaw", .pointsAfterRelease = 0, .waveformAfterRelease = "rbSaw"};
    QTest::newRow("speed slider") << SpaceBarCase{.focus = "TrackBar1"};
    QTest::newRow("width slider") << SpaceBarCase{.focus = "TrackBar2"};
    QTest::newRow("no control") << SpaceBarCase{};
}

void TestAutoRun::spaceBarBesidesToggling() {
    QFETCH(SpaceBarCase, row);
    Window w;
    w.steps(3);
    byName(w, row.focus)->setFocus();
    QCOMPARE(w.focused(), byName(w, row.focus));
    const QString display = w->stHi->text();
    std::vector<std::pair<QString, std::unique_ptr<QSignalSpy>>> clicks;
    for (QPushButton* button : w->findChildren<QPushButton*>())
        clicks.emplace_back(button->objectName(),
                            std::make_unique<QSignalSpy>(button, &QPushButton::clicked));

    // Key down: the toggle, and nothing else yet.
    w.press(Qt::Key_Space);
    QVERIFY(w.running());
    QCOMPARE(w.toggles->count(), 1);
    QCOMPARE(w.focused(), byName(w, row.focusAfterPress.value_or(row.focus)));
    QCOMPARE(w.count(), 4);
    for (const auto& [name, spy] : clicks)
        QVERIFY2(spy->count() == 0, qPrintable(name));
    VERIFY_INVARIANT(w);

    // Key up: what the focused control does with the space bar.
    w.release(Qt::Key_Space);
    QCOMPARE(w.running(), row.runsAfterRelease);
    QCOMPARE(w.count(), row.pointsAfterRelease);
    QCOMPARE(w->cbAutoClear->Checked(), row.autoClearAfterRelease);
    auto* waveform = w->findChild<TRadioButton*>(row.waveformAfterRelease);
    QVERIFY(waveform->Checked());
    for (const auto& [name, spy] : clicks)
        QVERIFY2(spy->count() == (name == row.clicked ? 1 : 0), qPrintable(name));
    QCOMPARE(w->stHi->text(), row.clicked == "Button2" || row.waveformAfterRelease != "rbSin"
                                  ? QStringLiteral("0")
                                  : display);
    QCOMPARE(w->TrackBar1->Position(), 500);
    QCOMPARE(w->TrackBar2->Position(), 255);
    VERIFY_INVARIANT(w);
}

void TestAutoRun::spaceBarWithModifiersAndRepeats() {
    Window w;
    for (Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::KeyboardModifiers(Qt::ControlModifier),
          Qt::KeyboardModifiers(Qt::AltModifier), Qt::ShiftModifier | Qt::ControlModifier}) {
        const bool before = w.running();
        w.press(Qt::Key_Space, modifiers);
        w.release(Qt::Key_Space);
        QCOMPARE(w.running(), !before);
    }
    QCOMPARE(w.toggles->count(), 4);

    // Held down: the first press and every repeat toggle.
    w.press(Qt::Key_Space);
    for (int i = 0; i < 4; ++i)
        w.press(Qt::Key_Space, {}, true);
    w.release(Qt::Key_Space);
    QCOMPARE(w.toggles->count(), 9);
    QVERIFY(w.running());
    VERIFY_INVARIANT(w);

    // Other keys leave stepping alone.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_A, Qt::Key_Tab})
        QTest::keyClick(w.focused(), key);
    QCOMPARE(w.toggles->count(), 9);
}

void TestAutoRun::disabledControlGivesTheFocusToTheWindow_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("+1, when stepping starts") << "Button1";
    QTest::newRow("1:1, disabled by code") << "btnZoom";
}

void TestAutoRun::disabledControlGivesTheFocusToTheWindow() {
    QFETCH(QString, control);
    Window w;
    QWidget* widget = byName(w, control);
    widget->setFocus();
    const auto disable = [&](bool disabled) {
        if (widget == w->Button1)
            w->cbAuto->SetChecked(disabled);
        else
            widget->setEnabled(!disabled);
    };
    disable(true);
    QVERIFY(!widget->isEnabled());
    QCOMPARE(QApplication::focusWidget(), w.form.get());
    disable(false);
    QVERIFY(widget->isEnabled());
    QCOMPARE(QApplication::focusWidget(), w.form.get());
    // Tab still moves on from the window.
    QTest::keyClick(w.form.get(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != w.form.get());
}

void TestAutoRun::speed_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("interval");
    QTest::newRow("1") << 1 << 500;
    QTest::newRow("101") << 101 << 400;
    QTest::newRow("251") << 251 << 250;
    QTest::newRow("401") << 401 << 100;
    QTest::newRow("451") << 451 << 50;
    QTest::newRow("481") << 481 << 20;
    QTest::newRow("491") << 491 << 10;
    QTest::newRow("492") << 492 << 9;
    QTest::newRow("below Min") << -5 << 500;
    QTest::newRow("above Max") << 800 << 1;
}

void TestAutoRun::speed() {
    QFETCH(int, position);
    QFETCH(int, interval);
    for (bool running : {false, true}) {
        Window w;
        w->cbAuto->SetChecked(running);
        w->TrackBar1->SetPosition(position);
        QCOMPARE(w->Timer1->Interval(), interval);
        QCOMPARE(w.running(), running); // the slider never starts or stops stepping
        VERIFY_INVARIANT(w);
    }
}

void TestAutoRun::steppingRunsAtTheSliderRate_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("period");
    QTest::newRow("500: 1 ms runs at 10") << 500 << 10;
    QTest::newRow("481: 20 ms") << 481 << 20;
}

void TestAutoRun::steppingRunsAtTheSliderRate() {
    QFETCH(int, position);
    QFETCH(int, period);
    Window w;
    w->cbAutoClear->SetChecked(false);
    w->TrackBar1->SetPosition(position); // set while stopped, used by the next start
    QElapsedTimer watch;
    watch.start();
    w->cbAuto->SetChecked(true);
    QTRY_VERIFY(w.count() >= 11);
    QVERIFY2(watch.elapsed() >= 10 * period - 1, qPrintable(QString::number(watch.elapsed())));
}

void TestAutoRun::quickTogglesMakeNoBurstOfSteps() {
    Window w;
    QElapsedTimer watch;
    watch.start();
    std::vector<qint64> steps;
    const auto step = w->Timer1->OnTimer;
    w->Timer1->OnTimer = [&](QObject* Sender) {
        steps.push_back(watch.elapsed());
        step(Sender);
    };
    for (int i = 0; i < 21; ++i)
        w->Image1Click(w->Image1);
    const qint64 lastToggle = watch.elapsed();
    QVERIFY(w.running());
    QCOMPARE(w.toggles->count(), 21);
    QCOMPARE(w.count(), 1);
    VERIFY_INVARIANT(w);
    // Each toggle began a fresh period; the steps come one period apart after the last one.
    QTRY_VERIFY(steps.size() >= 3);
    for (std::size_t k = 0; k < 3; ++k)
        QVERIFY2(steps[k] >= lastToggle + 10 * qint64(k + 1) - 1,
                 qPrintable(QStringLiteral("step %1 at %2 ms, %3 ms after the last toggle")
                                .arg(k + 1)
                                .arg(steps[k])
                                .arg(steps[k] - lastToggle)));
}

void TestAutoRun::pulseHeights_data() {
    QTest::addColumn<int>("density");
    QTest::addColumn<int>("heightAfterLayout");
    QTest::addColumn<QList<int>>("heights");
    QTest::newRow("120 ppi") << 120 << 163 << QList<int>{168, 163, 168, 163};
    QTest::newRow("96 ppi") << 96 << 131
                            << QList<int>{136, 141, 146, 151, 156, 161, 166, 163, 168, 163};
    QTest::newRow("144 ppi") << 144 << 195 << QList<int>{163, 168, 163, 168};
    QTest::newRow("192 ppi") << 192 << 261 << QList<int>{163, 168, 163};
}

void TestAutoRun::pulseHeights() {
    QFETCH(int, density);
    QFETCH(int, heightAfterLayout);
    QFETCH(QList<int>, heights);
    Window w;
    // On a screen of the row's density the layout has scaled the arrow itself; elsewhere it
    // starts from the height the layout would give there.
    if (qRound(w->screen()->logicalDotsPerInch()) == density)
        QCOMPARE(w->Image1->height(), heightAfterLayout);
    else
        w->Image1->resize(w->Image1->width(), heightAfterLayout);
    const QPoint place = w->Image1->pos();
    const int width = w->Image1->width();
    QList<int> seen;
    for (qsizetype i = 0; i < heights.size(); ++i) {
        w->Timer2Timer(w->Timer2);
        seen.append(w->Image1->height());
    }
    QCOMPARE(seen, heights);
    QCOMPARE(w->Image1->pos(), place);
    QCOMPARE(w->Image1->width(), width);
}

void TestAutoRun::arrowPulsesWhileStoppedAndFreezesWhileStepping() {
    Window w;
    w->Image1->resize(w->Image1->width(), 163);
    // The pulse clock runs from the start.
    QTRY_COMPARE(w->Image1->height(), 168);

    // Stepping freezes the arrow at its height, long enough for several pulses.
    w->cbAuto->SetChecked(true);
    QTRY_VERIFY_WITH_TIMEOUT(w.count() >= 80, 10000);
    QCOMPARE(w->Image1->height(), 168);

    // Stopped again, the pulse resumes from there one full period later.
    QElapsedTimer watch;
    watch.start();
    w->cbAuto->SetChecked(false);
    QTRY_COMPARE(w->Image1->height(), 163);
    QVERIFY2(watch.elapsed() >= 299, qPrintable(QString::number(watch.elapsed())));
}

QTEST_MAIN(TestAutoRun)
#include "tst_autorun.moc"
