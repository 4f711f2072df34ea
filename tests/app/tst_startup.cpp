// The program's run in process: a start that fails for want of a timer is reported and ends the
// program with 1; a window closed while stepping runs ends it at once.
#include "app/Startup.h"
#include "chart/Series.h"
#include "ui/CheckBox.h"
#include "ui/IntervalTimer.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <optional>
#include <sstream>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void run_data();
    void run();
};

void TestStartup::run_data() {
    QTest::addColumn<bool>("timersAvailable");
    QTest::addColumn<bool>("stepping"); // started once the window shows, then the window closed
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("standardError");
    QTest::addColumn<QString>("messageBox");
    QTest::newRow("closed while stopped") << true << false << 0 << ""
                                          << "";
    QTest::newRow("closed while stepping runs: no tick after") << true << true << 0 << ""
                                                               << "";
    QTest::newRow("no timer to be had while the window is made")
        << false << false << 1 << "wawetable: Not enough timers available\n"
        << "Not enough timers available";
}

void TestStartup::run() {
    QFETCH(bool, timersAvailable);
    QFETCH(bool, stepping);
    QFETCH(int, exitCode);
    QFETCH(QString, standardError);
    QFETCH(QString, messageBox);

    std::optional<TIntervalTimer::TNoTimersAvailable> noTimers;
    if (!timersAvailable)
        noTimers.emplace();

    // Plays the user while the program runs: closes an error box once it shows, or starts stepping
    // in the shown window and closes the window after a few steps.
    QString boxText;
    int ticksAfterClose = 0;
    bool started = false;
    QTimer user;
    connect(&user, &QTimer::timeout, this, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                boxText = box->text();
                box->close();
                return;
            }
        if (Form1 == nullptr || !Form1->isVisible())
            return;
        if (stepping && !started) {
            const auto step = Form1->Timer1->OnTimer;
            Form1->Timer1->OnTimer = [step, &ticksAfterClose](QObject* Sender) {
                if (!Form1->isVisible())
                    ++ticksAfterClose;
                step(Sender);
            };
            Form1->cbAuto->SetChecked(true);
            started = true;
        }
        if (!stepping || Form1->Series1->Count() > 3)
            Form1->close();
    });
    user.start(5);

    std::ostringstream err;
    QCOMPARE(RunMainWindow(err), exitCode);
    QCOMPARE(QString::fromStdString(err.str()), standardError);
    QCOMPARE(boxText, messageBox);
    QCOMPARE(ticksAfterClose, 0);
    QVERIFY(Form1 == nullptr);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
