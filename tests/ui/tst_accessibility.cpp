#include "chart/Chart.h"
#include "tests/ui/ShownWindow.h"
#include "ui/CheckBox.h"
#include "ui/Image.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

namespace {

// A window of its own for each case, shown while a screen reader listens.
struct Window : ShownWindow {
    QAccessibleInterface* view(const char* objectName) const {
        auto* widget = form->findChild<QWidget*>(QString::fromLatin1(objectName));
        return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    }
};

} // namespace

// What an assistive tool is told about the window's controls.
class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void nameAndRole_data();
    void nameAndRole();
    void pointerDisplayReadsAsItsValue();
    void chartDescriptionFollowsTheChart();
    void chartDescriptionReadsNumbersAsTheLabelsDo_data();
    void chartDescriptionReadsNumbersAsTheLabelsDo();
    void pressingTheArrowTogglesStepping();
};

void TestAccessibility::initTestCase() {
    // As when a screen reader listens: controls then announce changes from the moment they exist,
    // which makes Qt build their accessible views while the window is still being laid out.
    QAccessible::setActive(true);
}

void TestAccessibility::nameAndRole_data() {
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");
    QTest::newRow("chart") << "Chart1" << QAccessible::Chart << "DAC output";
    QTest::newRow("pointer display") << "stHi" << QAccessible::StaticText << "Table pointer";
    QTest::newRow("arrow") << "Image1" << QAccessible::Button << "Start or stop automatic stepping";
    QTest::newRow("speed") << "TrackBar1" << QAccessible::Slider << "Speed";
    QTest::newRow("chart width") << "TrackBar2" << QAccessible::Slider << "Chart width";
    QTest::newRow("+1") << "Button1" << QAccessible::Button << "+1";
    QTest::newRow("1:1") << "btnZoom" << QAccessible::Button << "1:1";
    QTest::newRow("START  AUTO") << "cbAuto" << QAccessible::CheckBox << "START  AUTO";
    QTest::newRow("SQR") << "rbSqr" << QAccessible::RadioButton << "SQR";
    QTest::newRow("waveform group") << "Panel4" << QAccessible::NoRole << "Waveform";
}

void TestAccessibility::nameAndRole() {
    QFETCH(QString, objectName);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);
    Window w;
    QAccessibleInterface* iface = w.view(objectName.toLatin1().constData());
    QVERIFY(iface);
    if (role != QAccessible::NoRole) // a panel's role is whatever its class reports
        QCOMPARE(iface->role(), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
}

void TestAccessibility::pointerDisplayReadsAsItsValue() {
    Window w;
    QAccessibleTextInterface* text = w.view("stHi")->textInterface();
    QVERIFY2(text, "a screen reader reads static text through its text interface");
    for (int i = 0; i < 12; ++i)
        w->Button1->click();
    QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("12"));
    QCOMPARE(w.view("stHi")->text(QAccessible::Value), QStringLiteral("12"));
}

void TestAccessibility::chartDescriptionFollowsTheChart() {
    Window w;
    w->btnClearChart->click();
    QAccessibleInterface* chart = w.view("Chart1");
    QCOMPARE(chart->text(QAccessible::Description),
             QStringLiteral("Stair-step line of 0 points; X from 0 to 255, Sample from 0 to 255"));
    w->Button1->click();
    QCOMPARE(chart->text(QAccessible::Description),
             QStringLiteral("Stair-step line of 1 point; X from 0 to 255, Sample from 0 to 255"));
    w->TrackBar2->SetPosition(1000);
    w->Chart1->LeftAxis().SetMinMax(7.65, 262.65);
    w->Button1->click();
    QCOMPARE(chart->text(QAccessible::Description),
             QStringLiteral(
                 "Stair-step line of 2 points; X from 0 to 1,000, Sample from 7.65 to 262.65"));
}

// The numbers as the axis labels show them: grouped and with the decimal separator of the user's
// locale, at most three decimals.
void TestAccessibility::chartDescriptionReadsNumbersAsTheLabelsDo_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QList<int>>("notches"); // wheel notches on the chart, + away from the user
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("ranges");
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("a notch up") << english << QList<int>{1} << 255
                                << "X from 0 to 255, Sample from 7.65 to 262.65";
    QTest::newRow("a notch up and one down: 0, not 8.88178e-16")
        << english << QList<int>{1, -1} << 255 << "X from 0 to 255, Sample from 0 to 255";
    QTest::newRow("English width 10000")
        << english << QList<int>{} << 10000 << "X from 0 to 10,000, Sample from 0 to 255";
    QTest::newRow("German width 10000, a notch up")
        << QLocale(QLocale::German, QLocale::Germany) << QList<int>{1} << 10000
        << "X from 0 to 10.000, Sample from 7,65 to 262,65";
}

void TestAccessibility::chartDescriptionReadsNumbersAsTheLabelsDo() {
    QFETCH(QLocale, locale);
    QFETCH(QList<int>, notches);
    QFETCH(int, width);
    QFETCH(QString, ranges);
    const QLocale before;
    QLocale::setDefault(locale);
    Window w;
    w->TrackBar2->SetPosition(width);
    const QPoint middle = w->Chart1->rect().center();
    for (int notch : notches) {
        QWheelEvent wheel(middle, w->Chart1->mapToGlobal(middle), QPoint(), QPoint(0, 120 * notch),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w->Chart1, &wheel);
    }
    const QString description = w.view("Chart1")->text(QAccessible::Description);
    QLocale::setDefault(before);
    QCOMPARE(description, QStringLiteral("Stair-step line of 1 point; ") + ranges);
}

void TestAccessibility::pressingTheArrowTogglesStepping() {
    Window w;
    QAccessibleActionInterface* action = w.view("Image1")->actionInterface();
    QVERIFY(action);
    QCOMPARE(action->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    action->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(w->cbAuto->Checked());
    QVERIFY(!w->Button1->isEnabled());
    action->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!w->cbAuto->Checked());
    QVERIFY(w->Button1->isEnabled());
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
