// Every kind of control raises its events through the one error policy: an error that escapes a
// handler is shown in a message box with its text, and the program goes on.
#include "tests/ui/OpenMessageBoxes.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/IntervalTimer.h"
#include "ui/RadioButton.h"
#include "ui/TrackBar.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <functional>
#include <stdexcept>

namespace {

using THandler = std::function<void(QObject* Sender)>;
// Builds a control on `window` with `handler` attached to its event, and raises the event.
using TRaise = std::function<void(TForm& window, const THandler& handler)>;

} // namespace

Q_DECLARE_METATYPE(TRaise)

class TestEvents : public QObject {
    Q_OBJECT
private slots:
    void errorsGoToTheErrorDisplay_data();
    void errorsGoToTheErrorDisplay();
    void cleanup();
};

void TestEvents::errorsGoToTheErrorDisplay_data() {
    QTest::addColumn<TRaise>("raise");
    QTest::newRow("push button click") << TRaise([](TForm& window, const THandler& handler) {
        auto* button = new TButton(&window);
        button->OnClick = handler;
        button->click();
    });
    QTest::newRow("check box click") << TRaise([](TForm& window, const THandler& handler) {
        auto* box = new TCheckBox(&window);
        box->OnClick = handler;
        box->SetChecked(true);
    });
    QTest::newRow("radio button click") << TRaise([](TForm& window, const THandler& handler) {
        auto* radio = new TRadioButton(&window);
        radio->OnClick = handler;
        radio->setChecked(true);
    });
    QTest::newRow("track bar change") << TRaise([](TForm& window, const THandler& handler) {
        auto* bar = new TTrackBar(&window);
        bar->OnChange = handler;
        bar->SetPosition(bar->Position() + 1);
    });
    QTest::newRow("picture click") << TRaise([](TForm& window, const THandler& handler) {
        auto* image = new TImage(&window);
        image->resize(20, 20);
        image->OnClick = handler;
        QTest::mouseClick(image, Qt::LeftButton);
    });
    QTest::newRow("clock tick") << TRaise([](TForm& window, const THandler& handler) {
        auto* timer = new TIntervalTimer(&window);
        timer->SetInterval(10);
        int ticks = 0;
        timer->OnTimer = [&](QObject* Sender) {
            ++ticks;
            handler(Sender);
        };
        QTRY_VERIFY(ticks >= 2); // and it keeps ticking
        timer->SetEnabled(false);
    });
    QTest::newRow("key preview") << TRaise([](TForm& window, const THandler& handler) {
        window.KeyPreview = true;
        window.OnKeyDown = [handler](QObject* Sender, int&, Qt::KeyboardModifiers) {
            handler(Sender);
        };
        QTest::keyClick(&window, Qt::Key_Space);
    });
}

void TestEvents::errorsGoToTheErrorDisplay() {
    QFETCH(TRaise, raise);
    TForm window;
    window.resize(100, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    int calls = 0;
    raise(window, [&](QObject*) {
        ++calls;
        throw std::runtime_error("Handler failed");
    });
    QVERIFY(calls >= 1);
    QCOMPARE(OpenMessageTexts(), QStringList{"Handler failed"});
}

void TestEvents::cleanup() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget))
            box->close();
}

QTEST_MAIN(TestEvents)
#include "tst_events.moc"
