#include "ui/IntervalTimer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

// A timer under test with a stopwatch: the time of every tick, in ms since Begin(), and a way to
// run the event loop as the program does until enough ticks have come. (QTest's own waiting
// pauses 10 ms between rounds of events, which would hide both a missing 10 ms floor and a burst
// of ticks.)
struct Clock {
    TIntervalTimer timer;
    QElapsedTimer watch;
    std::vector<double> ticks;
    std::function<void()> during; // extra work done in each tick, after it is recorded

    Clock() {
        timer.SetEnabled(false);
        timer.OnTimer = [this](QObject*) {
            ticks.push_back(Now());
            if (during)
                during();
            if (Count() >= fTarget)
                fLoop.quit();
        };
        watch.start();
    }
    void Begin() {
        ticks.clear();
        watch.start();
    }
    double Now() const { return watch.nsecsElapsed() / 1e6; }
    int Count() const { return int(ticks.size()); }
    bool WaitForTicks(int count, int timeout = 5000) {
        if (Count() >= count)
            return true;
        fTarget = count;
        QTimer::singleShot(timeout, &fLoop, &QEventLoop::quit);
        fLoop.exec();
        fTarget = std::numeric_limits<int>::max();
        return Count() >= count;
    }

private:
    QEventLoop fLoop;
    int fTarget = std::numeric_limits<int>::max();
};

// Precise timers are never early, but Qt's timer arithmetic works in whole milliseconds.
constexpr double Slack = 1.0;

QList<QMessageBox*> OpenMessageBoxes() {
    QList<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            boxes.append(box);
    return boxes;
}

void CloseMessageBoxes() {
    for (QMessageBox* box : OpenMessageBoxes())
        box->close();
}

} // namespace

class TestIntervalTimer : public QObject {
    Q_OBJECT
private slots:
    void firstTickComesOnePeriodAfterTheStart_data();
    void firstTickComesOnePeriodAfterTheStart();
    void zeroIntervalGivesNoTicks();
    void assigningTheSameValueRestartsNothing();
    void assigningAnotherValueRestartsThePeriod_data();
    void assigningAnotherValueRestartsThePeriod();
    void lateTicksAreMergedNotMadeUp();
    void ticksWaitForPostedEventsAndRepaints();
    void noTimerAvailable();
    void tickErrorsAreShownWithoutAFloodOfBoxes();
};

void TestIntervalTimer::firstTickComesOnePeriodAfterTheStart_data() {
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("period");
    QTest::newRow("60 ms") << 60 << 60;
    QTest::newRow("10 ms, the shortest") << 10 << 10;
    QTest::newRow("9 ms runs at 10") << 9 << 10;
    QTest::newRow("1 ms runs at 10") << 1 << 10;
}

void TestIntervalTimer::firstTickComesOnePeriodAfterTheStart() {
    QFETCH(int, interval);
    QFETCH(int, period);
    Clock clock;
    clock.timer.SetInterval(interval);
    clock.Begin();
    clock.timer.SetEnabled(true);
    QCOMPARE(clock.Count(), 0); // no tick at the moment of starting
    QVERIFY(clock.WaitForTicks(5));
    clock.timer.SetEnabled(false);
    // However late the loop serves them, the k-th tick never comes before k whole periods.
    for (int k = 1; k <= 5; ++k)
        QVERIFY2(clock.ticks[k - 1] >= k * period - Slack,
                 qPrintable(QStringLiteral("tick %1 at %2 ms").arg(k).arg(clock.ticks[k - 1])));
}

void TestIntervalTimer::zeroIntervalGivesNoTicks() {
    Clock clock;
    clock.timer.SetInterval(0);
    clock.timer.SetEnabled(true);
    QVERIFY(clock.timer.Enabled());
    int referenceTicks = 0;
    QTimer reference;
    connect(&reference, &QTimer::timeout, [&] { ++referenceTicks; });
    reference.start(10);
    QTRY_VERIFY(referenceTicks >= 10);
    QCOMPARE(clock.Count(), 0);
    // A non-zero interval starts it.
    clock.timer.SetInterval(10);
    QVERIFY(clock.WaitForTicks(1));
}

void TestIntervalTimer::assigningTheSameValueRestartsNothing() {
    Clock clock;
    clock.timer.SetInterval(60);
    clock.timer.SetEnabled(true);
    // Assigned again every 5 ms: were that a restart, the 60 ms period would never run out.
    QTimer reassign;
    connect(&reassign, &QTimer::timeout, [&] {
        clock.timer.SetInterval(60);
        clock.timer.SetEnabled(true);
    });
    reassign.start(5);
    QVERIFY(clock.WaitForTicks(3));
}

void TestIntervalTimer::assigningAnotherValueRestartsThePeriod_data() {
    QTest::addColumn<bool>("viaEnabled");
    QTest::newRow("a different interval") << false;
    QTest::newRow("disabled and enabled again") << true;
}

void TestIntervalTimer::assigningAnotherValueRestartsThePeriod() {
    QFETCH(bool, viaEnabled);
    Clock clock;
    clock.timer.SetInterval(60);
    clock.timer.SetEnabled(true);
    double lastChange = clock.Now();
    std::vector<double> sinceChange;
    clock.during = [&] { sinceChange.push_back(clock.ticks.back() - lastChange); };
    int changes = 0;
    QTimer change;
    connect(&change, &QTimer::timeout, [&] {
        if (viaEnabled) {
            clock.timer.SetEnabled(false);
            clock.timer.SetEnabled(true);
        } else {
            clock.timer.SetInterval(clock.timer.Interval() == 60 ? 61 : 60);
        }
        lastChange = clock.Now();
        if (++changes == 20)
            change.stop();
    });
    change.start(10);
    QTRY_VERIFY(changes == 20);
    QVERIFY(clock.WaitForTicks(1));
    // Every tick, also the one after the changes stop, comes a whole period after the last one.
    for (double gap : sinceChange)
        QVERIFY2(gap >= 60 - Slack,
                 qPrintable(QStringLiteral("tick %1 ms after a change").arg(gap)));
}

void TestIntervalTimer::lateTicksAreMergedNotMadeUp() {
    Clock clock;
    clock.timer.SetInterval(10);
    double slowEnd = -1;
    clock.during = [&] {
        if (clock.Count() == 1) {
            QThread::msleep(100); // a step that takes ten periods
            slowEnd = clock.Now();
        }
    };
    clock.timer.SetEnabled(true);
    QVERIFY(clock.WaitForTicks(6));
    clock.timer.SetEnabled(false);
    // The nine periods missed give one tick at once, and the clock runs on from there.
    for (int k = 0; k < 5; ++k) {
        const double tick = clock.ticks[k + 1];
        QVERIFY2(tick >= slowEnd + 10 * k - Slack,
                 qPrintable(QStringLiteral("tick %1 after the slow one came %2 ms after it")
                                .arg(k + 1)
                                .arg(tick - slowEnd)));
    }
}

namespace {

// Records, in order, the posted events it receives and its repaints.
class TRecorder : public QWidget {
public:
    QStringList* log;
    explicit TRecorder(QStringList* log) : log(log) {}

protected:
    void customEvent(QEvent*) override { log->append(QStringLiteral("posted")); }
    void paintEvent(QPaintEvent*) override { log->append(QStringLiteral("paint")); }
};

} // namespace

void TestIntervalTimer::ticksWaitForPostedEventsAndRepaints() {
    QStringList log;
    TRecorder recorder(&log);
    recorder.resize(50, 50);
    recorder.show();
    QVERIFY(QTest::qWaitForWindowExposed(&recorder));

    QEventLoop loop;
    TIntervalTimer timer;
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&](QObject*) {
        log.append(QStringLiteral("tick"));
        if (++ticks == 2)
            loop.quit();
        if (ticks == 1) {
            // While this tick is served, a repaint and an event become pending and the next tick
            // falls due.
            QCoreApplication::postEvent(&recorder, new QEvent(QEvent::User));
            recorder.update();
            QThread::msleep(20);
        }
    };
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    timer.SetEnabled(false);
    QCOMPARE(ticks, 2);
    const qsizetype first = log.indexOf(QStringLiteral("tick"));
    const qsizetype second = log.indexOf(QStringLiteral("tick"), first + 1);
    QVERIFY2(log.indexOf(QStringLiteral("posted"), first) < second, qPrintable(log.join(' ')));
    QVERIFY2(log.indexOf(QStringLiteral("paint"), first) < second, qPrintable(log.join(' ')));
    QVERIFY(log.indexOf(QStringLiteral("posted"), first) > first);
    QVERIFY(log.indexOf(QStringLiteral("paint"), first) > first);
}

void TestIntervalTimer::noTimerAvailable() {
    TIntervalTimer timer;
    timer.SetEnabled(false);
    // An object of no thread has no event dispatcher to give it a timer.
    timer.moveToThread(nullptr);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("startTimer")));
    QString message;
    try {
        timer.SetEnabled(true);
    } catch (const EOutOfResources& error) {
        message = QString::fromUtf8(error.what());
    }
    QCOMPARE(message, QStringLiteral("Not enough timers available"));
    QVERIFY(!timer.Enabled()); // no tick is coming, and enabling it again tries again
}

void TestIntervalTimer::tickErrorsAreShownWithoutAFloodOfBoxes() {
    Clock failing;
    failing.timer.SetInterval(10);
    failing.timer.OnTimer = [&](QObject*) {
        failing.ticks.push_back(0);
        throw std::runtime_error("Step failed");
    };
    Clock other;
    other.timer.SetInterval(10);
    other.timer.OnTimer = [&](QObject*) {
        other.ticks.push_back(0);
        throw std::runtime_error("Pulse failed");
    };
    failing.timer.SetEnabled(true);
    other.timer.SetEnabled(true);
    // The clocks keep ticking, each error has its box, and a box already open gets no twin.
    QTRY_VERIFY(failing.Count() >= 10 && other.Count() >= 10);
    QStringList texts;
    for (QMessageBox* box : OpenMessageBoxes())
        texts.append(box->text());
    texts.sort();
    QCOMPARE(texts, (QStringList{"Pulse failed", "Step failed"}));

    // Once the user closes the box, the next error shows again.
    other.timer.SetEnabled(false);
    CloseMessageBoxes();
    QCOMPARE(OpenMessageBoxes().size(), 0);
    const int before = failing.Count();
    QTRY_VERIFY(failing.Count() > before && OpenMessageBoxes().size() == 1);
    failing.timer.SetEnabled(false);
    QCOMPARE(OpenMessageBoxes().first()->text(), QStringLiteral("Step failed"));
    CloseMessageBoxes();
}

QTEST_MAIN(TestIntervalTimer)
#include "tst_intervaltimer.moc"
