// The window at the design density: resizing by anchors, keyboard focus, the standard controls'
// events and keys, stacking, cursors, the arrow picture, and a move to a denser screen.
#include "chart/Chart.h"
#include "engine/WaveTables.h"
#include "tests/ui/ShownWindow.h"
#include "ui/CheckBox.h"
#include "ui/Image.h"
#include "ui/Layout.h"
#include "ui/RadioButton.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <memory>

namespace {

// The window as the user finds it, shown and active.
struct Window : ShownWindow {
    Window() : ShownWindow(TWaitFor::Active) {}
    QWidget* child(const char* name) const {
        return form->findChild<QWidget*>(QString::fromLatin1(name));
    }
    QRect rect(const char* name) const { return child(name)->geometry(); }
};

QString FocusName() {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QStringLiteral("(none)");
}

} // namespace

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void resizing_data();
    void resizing();
    void tabOrder();
    void shiftTabFromTheChart();
    void arrowKeys_data();
    void arrowKeys();
    void arrowKeyChecksARadioButton();
    void mouseFocus_data();
    void mouseFocus();
    void wheel_data();
    void wheel();
    void trackBarKeys_data();
    void trackBarKeys();
    void trackBarChannelPress();
    void trackBarsAsLaidOut();
    void radioGroupClicks();
    void colours_data();
    void colours();
    void oneFaceColourUnderATheme();
    void stacking();
    void cursors();
    void arrowPicture();
    void windowIcon();
    void stretchIsNearestNeighbour();
    void movingToADenserScreen();
};

void TestControls::initTestCase() {
    QCOMPARE(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch()), 120);
}

void TestControls::resizing_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("panel2");
    QTest::addColumn<QRect>("panel3");
    QTest::addColumn<QRect>("chart1");
    QTest::addColumn<QRect>("trackBar2");
    QTest::newRow("as designed") << QSize(1177, 714) << QRect(-6, 216, 1183, 501)
                                 << QRect(8, 4, 1185, 212) << QRect(0, 52, 1177, 448)
                                 << QRect(264, 6, 913, 40);
    QTest::newRow("200 wider") << QSize(1377, 714) << QRect(-6, 216, 1383, 501)
                               << QRect(8, 4, 1385, 212) << QRect(0, 52, 1377, 448)
                               << QRect(264, 6, 1113, 40);
    QTest::newRow("100 taller") << QSize(1177, 814) << QRect(-6, 216, 1183, 601)
                                << QRect(8, 4, 1185, 212) << QRect(0, 52, 1177, 548)
                                << QRect(264, 6, 913, 40);
    QTest::newRow("267 tall: one row of chart")
        << QSize(1177, 267) << QRect(-6, 216, 1183, 54) << QRect(8, 4, 1185, 212)
        << QRect(0, 52, 1177, 1) << QRect(264, 6, 913, 40);
    QTest::newRow("266 tall: the chart is gone")
        << QSize(1177, 266) << QRect(-6, 216, 1183, 53) << QRect(8, 4, 1185, 212)
        << QRect(0, 52, 1177, 0) << QRect(264, 6, 913, 40);
    QTest::newRow("below 263 the panel keeps 50")
        << QSize(1177, 200) << QRect(-6, 216, 1183, 50) << QRect(8, 4, 1185, 212)
        << QRect(0, 52, 1177, 0) << QRect(264, 6, 913, 40);
    QTest::newRow("narrower than the slider's left")
        << QSize(250, 714) << QRect(-6, 216, 256, 501) << QRect(8, 4, 258, 212)
        << QRect(0, 52, 250, 448) << QRect(264, 6, 0, 40);
}

void TestControls::resizing() {
    QFETCH(QSize, client);
    QFETCH(QRect, panel2);
    QFETCH(QRect, panel3);
    QFETCH(QRect, chart1);
    QFETCH(QRect, trackBar2);
    Window w;
    w->resize(client);
    QTRY_COMPARE(w->size(), client);
    QCOMPARE(w.rect("Panel2"), panel2);
    QCOMPARE(w.rect("Panel3"), panel3);
    QCOMPARE(w.rect("Chart1").size(), chart1.size()); // an empty QRect compares by size alone
    QCOMPARE(w.rect("Chart1").topLeft(), chart1.topLeft());
    QCOMPARE(w.rect("TrackBar2").size(), trackBar2.size());
    // Everything else keeps its place.
    QCOMPARE(w.rect("Image1"), QRect(984, 48, 168, 163));
    QCOMPARE(w.rect("Panel1"), QRect(0, 8, 403, 198));
    QCOMPARE(w.rect("Panel4"), QRect(598, 14, 167, 192));
    QCOMPARE(w.rect("btn256"), QRect(205, 6, 59, 24));
    QCOMPARE(w.rect("TrackBar1"), QRect(13, 161, 380, 35));
}

void TestControls::tabOrder() {
    Window w;
    QTRY_COMPARE(FocusName(), QStringLiteral("Chart1"));
    const QStringList expected = {"btnZoom",   "btnClearChart", "cbAutoClear", "TrackBar2",
                                  "btn256",    "Button2",       "cbAuto",      "Button1",
                                  "TrackBar1", "rbSin",         "Chart1"};
    for (const QString& name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(FocusName(), name);
    }
    // A disabled control and the unchecked radio buttons are skipped.
    w->Button1->setEnabled(false);
    w->rbTri->setChecked(true);
    w.child("cbAuto")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(FocusName(), QStringLiteral("TrackBar1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(FocusName(), QStringLiteral("rbTri"));
}

void TestControls::shiftTabFromTheChart() {
    Window w;
    QTRY_COMPARE(FocusName(), QStringLiteral("Chart1"));
    QTest::keyClick(w->Chart1, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(FocusName(), QStringLiteral("rbSin"));
}

void TestControls::arrowKeys_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("plusOneEnabled");
    QTest::addColumn<QString>("to");
    QTest::newRow("Left from Reset to the display")
        << "Button2" << int(Qt::Key_Left) << true << "stHi";
    QTest::newRow("Left from the display wraps")
        << "stHi" << int(Qt::Key_Left) << true << "TrackBar1";
    QTest::newRow("Right from the display") << "stHi" << int(Qt::Key_Right) << true << "Button2";
    QTest::newRow("Down from START  AUTO") << "cbAuto" << int(Qt::Key_Down) << true << "Button1";
    QTest::newRow("Up from START  AUTO") << "cbAuto" << int(Qt::Key_Up) << true << "Button2";
    QTest::newRow("disabled +1 is skipped")
        << "cbAuto" << int(Qt::Key_Right) << false << "TrackBar1";
    QTest::newRow("Right from 256 wraps to the chart")
        << "btn256" << int(Qt::Key_Right) << true << "Chart1";
    QTest::newRow("Left from Clear") << "btnClearChart" << int(Qt::Key_Left) << true << "btnZoom";
}

void TestControls::arrowKeys() {
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(bool, plusOneEnabled);
    QFETCH(QString, to);
    Window w;
    w->Button1->setEnabled(plusOneEnabled);
    QWidget* start = w->findChild<QWidget*>(from);
    start->setFocus();
    QTRY_VERIFY(start->hasFocus());
    QTest::keyClick(start, Qt::Key(key));
    QCOMPARE(FocusName(), to);
}

void TestControls::arrowKeyChecksARadioButton() {
    Window w;
    w->rbSin->setFocus();
    QTRY_VERIFY(w->rbSin->hasFocus());
    QTest::keyClick(w->rbSin, Qt::Key_Down);
    QCOMPARE(FocusName(), QStringLiteral("rbSaw"));
    QVERIFY(w->rbSaw->isChecked());
    QVERIFY(WaveTable == SawTable); // its click ran
    QTest::keyClick(w->rbSaw, Qt::Key_Up);
    QTest::keyClick(w->rbSin, Qt::Key_Up); // wraps to the last
    QCOMPARE(FocusName(), QStringLiteral("rbEcg"));
    QVERIFY(w->rbEcg->isChecked());
    QVERIFY(WaveTable == EcgTable);
}

void TestControls::mouseFocus_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("takesFocus");
    QTest::newRow("push button") << "btnClearChart" << true;
    QTest::newRow("check box") << "cbAutoClear" << true;
    QTest::newRow("unchecked radio button") << "rbSqr" << true;
    QTest::newRow("track bar") << "TrackBar1" << true;
    QTest::newRow("label") << "Label1" << false;
    QTest::newRow("display") << "stHi" << false;
    QTest::newRow("panel") << "Panel4" << false;
    QTest::newRow("arrow picture") << "Image1" << false;
}

void TestControls::mouseFocus() {
    QFETCH(QString, control);
    QFETCH(bool, takesFocus);
    Window w;
    w->btnZoom->setFocus();
    QTRY_VERIFY(w->btnZoom->hasFocus());
    QWidget* target = w->findChild<QWidget*>(control);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(FocusName(), takesFocus ? control : QStringLiteral("btnZoom"));

    // And the chart takes it back.
    QTest::mouseClick(w->Chart1, Qt::LeftButton, {}, QPoint(300, 200));
    QCOMPARE(FocusName(), QStringLiteral("Chart1"));
}

void TestControls::wheel_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("over"); // the control under the pointer
    QTest::addColumn<bool>("chartScrolls");
    QTest::addColumn<QString>("slider"); // the track bar that moves, if any
    QTest::newRow("chart focused, over the chart") << "Chart1"
                                                   << "Chart1" << true << "";
    QTest::newRow("chart focused, over a label") << "Chart1"
                                                 << "Label6" << true << "";
    QTest::newRow("chart focused, over +1") << "Chart1"
                                            << "Button1" << true << "";
    QTest::newRow("chart focused, over the width slider") << "Chart1"
                                                          << "TrackBar2" << true << "";
    QTest::newRow("Clear focused, over the chart") << "btnClearChart"
                                                   << "Chart1" << true << "";
    QTest::newRow("width slider focused, over the chart") << "TrackBar2"
                                                          << "Chart1" << true << "";
    QTest::newRow("width slider focused, over it") << "TrackBar2"
                                                   << "TrackBar2" << false << "TrackBar2";
    QTest::newRow("speed slider focused, over it") << "TrackBar1"
                                                   << "TrackBar1" << false << "TrackBar1";
    QTest::newRow("Clear focused, over a label") << "btnClearChart"
                                                 << "Label6" << false << "";
}

void TestControls::wheel() {
    QFETCH(QString, focus);
    QFETCH(QString, over);
    QFETCH(bool, chartScrolls);
    QFETCH(QString, slider);
    Window w;
    w.child(qPrintable(focus))->setFocus();
    QTRY_COMPARE(FocusName(), focus);
    const int width = w->TrackBar2->Position();
    const int speed = w->TrackBar1->Position();

    // One notch towards the user, sent as the platform sends it: to the control under the
    // pointer, whence Qt hands it on to the parents while nobody takes it.
    QWidget* overWidget = w.child(qPrintable(over));
    const QPoint global = overWidget->mapToGlobal(overWidget->rect().center());
    QWidget* under = w->childAt(w->mapFromGlobal(global));
    QCOMPARE(under, overWidget);
    QWheelEvent notch(under->mapFromGlobal(QPointF(global)), QPointF(global), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(under, &notch);

    QCOMPARE(w->Chart1->LeftAxis().Minimum() != 0, chartScrolls);
    QCOMPARE(w->TrackBar2->Position() != width, slider == u"TrackBar2");
    QCOMPARE(w->TrackBar1->Position() != speed, slider == u"TrackBar1");
}

void TestControls::trackBarKeys_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    const int keys[] = {Qt::Key_Left,   Qt::Key_Up,       Qt::Key_Right, Qt::Key_Down,
                        Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,  Qt::Key_End};
    const char* names[] = {"Left", "Up", "Right", "Down", "Page Up", "Page Down", "Home", "End"};
    const int speed[] = {249, 249, 251, 251, 248, 252, 1, 500};
    const int width[] = {254, 254, 256, 256, 253, 257, 30, 10000};
    for (int i = 0; i < 8; ++i) {
        QTest::addRow("speed %s", names[i]) << 1 << 500 << 250 << keys[i] << speed[i];
        QTest::addRow("width %s", names[i]) << 30 << 10000 << 255 << keys[i] << width[i];
    }
    QTest::newRow("Right at Max stays") << 1 << 500 << 500 << int(Qt::Key_Right) << 500;
    QTest::newRow("Page Up near Min stops at Min")
        << 30 << 10000 << 31 << int(Qt::Key_PageUp) << 30;
}

void TestControls::trackBarKeys() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    TTrackBar bar;
    bar.SetRange(min, max);
    bar.SetPosition(start);
    int changes = 0;
    bar.OnChange = [&](QObject*) { ++changes; };
    QTest::keyClick(&bar, Qt::Key(key));
    QCOMPARE(bar.Position(), expected);
    QCOMPARE(changes, 1); // one notification, also when the position stays
}

void TestControls::trackBarChannelPress() {
    TTrackBar bar;
    bar.SetRange(1, 500);
    bar.SetPosition(100);
    bar.setGeometry(0, 0, 400, 35);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    int changes = 0;
    bar.OnChange = [&](QObject*) { ++changes; };
    const QPoint right(390, bar.height() / 2);
    QTest::mousePress(&bar, Qt::LeftButton, {}, right);
    QCOMPARE(bar.Position(), 102);
    QTRY_VERIFY(bar.Position() >= 106); // repeats while held
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, right);
    const int released = bar.Position();
    QVERIFY(changes >= (released - 100) / 2);
    QTest::qWait(0);
    QCOMPARE(bar.Position(), released);

    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(5, bar.height() / 2));
    QCOMPARE(bar.Position(), released - 2);
}

void TestControls::trackBarsAsLaidOut() {
    Window w;
    QCOMPARE(w->TrackBar1->tickInterval(), 10);
    QCOMPARE(w->TrackBar2->tickInterval(), 1);
    QCOMPARE(w->TrackBar1->tickPosition(), QSlider::TicksBelow);
    QCOMPARE(w->TrackBar1->ThumbLength(), 20);
    QCOMPARE(w->TrackBar2->ThumbLength(), 20);
}

void TestControls::radioGroupClicks() {
    QWidget group;
    TRadioButton a(&group), b(&group), c(&group);
    a.setChecked(true);
    int clicks = 0;
    QObject* last = nullptr;
    for (TRadioButton* rb : {&a, &b, &c})
        rb->OnClick = [&](QObject* Sender) {
            ++clicks;
            last = Sender;
        };
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    QTest::mouseClick(&a, Qt::LeftButton);
    QCOMPARE(clicks, 0); // already checked
    QTest::mouseClick(&b, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    QCOMPARE(last, &b);
    QTest::mouseDClick(&b, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    c.setChecked(true);
    QCOMPARE(clicks, 2);
    QVERIFY(!b.isChecked());
    // Only the checked one is a tab stop.
    QCOMPARE(c.focusPolicy(), Qt::StrongFocus);
    QCOMPARE(a.focusPolicy(), Qt::ClickFocus);
    QCOMPARE(b.focusPolicy(), Qt::ClickFocus);
}

void TestControls::colours_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("expected");
    const QColor highlight = QApplication::palette().color(QPalette::Light);
    const QColor shadow = QApplication::palette().color(QPalette::Dark);
    QTest::newRow("Panel1 bevel top left") << "Panel1" << QPoint(0, 0) << highlight;
    QTest::newRow("Panel1 bevel bottom") << "Panel1" << QPoint(200, 197) << shadow;
    QTest::newRow("Panel1 bevel right") << "Panel1" << QPoint(402, 100) << shadow;
    QTest::newRow("Panel1 inner border") << "Panel1" << QPoint(1, 1) << QColor(255, 255, 200);
    QTest::newRow("Panel4 fill") << "Panel4" << QPoint(5, 180) << QColor(189, 255, 189);
    QTest::newRow("Panel3 shows the window's colour")
        << "Panel3" << QPoint(420, 20) << QApplication::palette().color(QPalette::Window);
    QTest::newRow("display frame") << "stHi" << QPoint(0, 30) << QColor(0, 0, 0);
    QTest::newRow("display background") << "stHi" << QPoint(3, 48) << QColor(166, 202, 240);
    QTest::newRow("START  AUTO fill") << "cbAuto" << QPoint(188, 34) << QColor(255, 0, 255);
}

void TestControls::colours() {
    QFETCH(QString, control);
    QFETCH(QPoint, at);
    QFETCH(QColor, expected);
    Window w;
    const QImage picture = w->findChild<QWidget*>(control)->grab().toImage();
    QCOMPARE(picture.pixelColor(at).rgb(), expected.rgb());
}

void TestControls::oneFaceColourUnderATheme() {
    // A desktop theme whose buttons are lighter than its windows.
    const QPalette platform = QApplication::palette();
    QPalette theme = platform;
    const QColor face(214, 210, 200);
    theme.setColor(QPalette::Window, face);
    theme.setColor(QPalette::Button, QColor(250, 250, 252));
    QApplication::setPalette(theme);
    const auto restore = qScopeGuard([&] { QApplication::setPalette(platform); });

    // The strip of the window's own background, an upper panel that shows it, and the chart.
    Window w;
    QCOMPARE(w->grab().toImage().pixelColor(2, 100).rgb(), face.rgb());
    QCOMPARE(w.child("Panel3")->grab().toImage().pixelColor(420, 20).rgb(), face.rgb());
    QCOMPARE(w->Chart1->grab().toImage().pixelColor(5, 5).rgb(), face.rgb());
}

void TestControls::stacking() {
    Window w;
    // "256" overlaps the right 10 pixels of "Auto Clear" and lies above it.
    QCOMPARE(w.child("Panel2")->childAt(210, 15), w->btn256);
    // "Reset" lies over the lower right part of the "Table Pointer" label.
    QCOMPARE(w.child("Panel1")->childAt(150, 50), w->Button2);
    // "START  AUTO" lies over the top of "increment".
    QCOMPARE(w.child("Panel1")->childAt(250, 38), w->cbAuto);
}

void TestControls::cursors() {
    Window w;
    QCOMPARE(w->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(w->Image1->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(w->cbAuto->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(w->Button1->cursor().shape(), Qt::PointingHandCursor);
    w->Button1->setEnabled(false);
    QCOMPARE(w->Button1->cursor().shape(), Qt::ArrowCursor);
    w->Button1->setEnabled(true);
    QCOMPARE(w->Button1->cursor().shape(), Qt::PointingHandCursor);
    for (const char* name : {"Panel1", "Panel2", "Panel3", "Panel4", "Label1", "Label6", "stHi",
                             "Button2", "btnZoom", "cbAutoClear", "rbSin", "TrackBar1"})
        QCOMPARE(w.child(name)->cursor().shape(), Qt::ArrowCursor);
}

void TestControls::arrowPicture() {
    Window w; // the window's layout makes the resources available
    const QImage arrow =
        QImage(QStringLiteral(":/arrow.png")).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(arrow.size(), QSize(512, 512));
    QVERIFY(arrow.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(511, 0), QPoint(0, 511), QPoint(511, 511)})
        QCOMPARE(qAlpha(arrow.pixel(corner)), 0);
    QCOMPARE(arrow.pixel(220, 250), qRgba(66, 165, 245, 255));
    QCOMPARE(arrow.pixel(255, 250), qRgba(66, 165, 245, 255));
    QCOMPARE(arrow.pixel(256, 250), qRgba(63, 152, 224, 255));
    QCOMPARE(arrow.pixel(300, 250), qRgba(63, 152, 224, 255));
    QCOMPARE(arrow.pixel(168, 250), qRgba(33, 33, 33, 255)); // the shaft's left outline
    QCOMPARE(arrow.pixel(256, 485), qRgba(33, 33, 33, 255)); // the tip
    // The whole drawing lies within x = 80..431, y = 16..495.
    QRect drawn;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            if (qAlpha(arrow.pixel(x, y)) != 0)
                drawn |= QRect(x, y, 1, 1);
    QVERIFY2(QRect(80, 16, 352, 480).contains(drawn), qPrintable(QString("drawn in %1,%2 %3x%4")
                                                                     .arg(drawn.x())
                                                                     .arg(drawn.y())
                                                                     .arg(drawn.width())
                                                                     .arg(drawn.height())));
    QCOMPARE(w->Image1->Picture().size(), QSize(512, 512));
}

void TestControls::windowIcon() {
    Window w;
    const QImage icon(QStringLiteral(":/icon.png"));
    QCOMPARE(icon.size(), QSize(48, 48));
    QVERIFY(icon.hasAlphaChannel());
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QVERIFY(!w->windowIcon().isNull());
}

void TestControls::stretchIsNearestNeighbour() {
    // Every source pixel a different colour, so that each destination pixel names its source.
    QImage source(5, 4, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            source.setPixel(x, y, qRgba(x * 50, y * 60, 7, 255));
    for (const QSize size : {QSize(3, 7), QSize(8, 3), QSize(168, 163), QSize(5, 4)}) {
        const QImage stretched = TImage::Stretch(source, size);
        QCOMPARE(stretched.size(), size);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                QCOMPARE(stretched.pixel(x, y),
                         source.pixel(x * 5 / size.width(), y * 4 / size.height()));
    }
}

void TestControls::movingToADenserScreen() {
    Window w;
    QScreen* dense = nullptr;
    for (QScreen* screen : QGuiApplication::screens())
        if (qRound(screen->logicalDotsPerInch()) == 144)
            dense = screen;
    QVERIFY(dense);
    // A height that the pulse gave the arrow is rescaled from where it is.
    w->Image1->resize(168, 150);
    w->windowHandle()->setScreen(dense);
    auto* layout = w->findChild<TLayout*>();
    QTRY_COMPARE(layout->Density(), 144);
    QCOMPARE(w->size(), QSize(1412, 857));
    QCOMPARE(w.rect("Image1"), QRect(1181, 58, 201, 180));
    QCOMPARE(w.rect("Panel2"), QRect(-7, 259, 1419, 601));
    QCOMPARE(w->Button1->font().pixelSize(), 52);
    QCOMPARE(w->TrackBar2->ThumbLength(), 24);
    // The anchors follow from the new sizes: 120 pixels wider at 144 dpi.
    w->resize(1532, 857);
    QTRY_COMPARE(w.rect("Panel2").width(), 1539);
    // The chart's recorded parent width is scaled as a length (1183 -> 1420) while the panel
    // itself is scaled by its edges (1419), so the chart ends one pixel narrower than 1412 + 120.
    QCOMPARE(w.rect("Chart1").width(), 1531);
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
