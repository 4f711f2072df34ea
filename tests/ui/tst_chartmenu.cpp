// The chart's context menu in the main window: when it opens and when it does not, what each entry
// puts on the clipboard, and that it leaves the chart's ranges, its mouse and the window's keys as
// they were. Mouse and keys go to the window, so that Qt routes them as it routes the platform's:
// to the focused control after the window's key preview, and to the menu while it is open.
#include "chart/Chart.h"
#include "engine/WaveTables.h"
#include "tests/ui/ShownWindow.h"
#include "ui/ChartMenu.h"
#include "ui/CheckBox.h"
#include "ui/RadioButton.h"
#include "ui/Unit1.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <stdexcept>

namespace {

struct Range {
    double min;
    double max;
    friend bool operator==(const Range&, const Range&) = default;
};

Range rangeOf(const TChartAxis& axis) {
    return {axis.Minimum(), axis.Maximum()};
}

QImage rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

// The window, active so that it takes keys, with its chart painted and the clipboard empty.
struct Window : ShownWindow {
    TChart* chart = form->Chart1;
    TChartMenu* menu = &form->ChartMenu();
    QWindow* window = form->windowHandle();

    Window() : ShownWindow(TWaitFor::Active) {
        chart->repaint();
        QGuiApplication::clipboard()->clear();
    }

    QPoint centre() const { return chart->PlotRect().center(); }
    QPoint inWindow(QPoint onChart) const { return chart->mapTo(form.get(), onChart); }
    void press(Qt::MouseButton button, QPoint at) const {
        QTest::mousePress(window, button, {}, inWindow(at));
    }
    void move(QPoint to) const { QTest::mouseMove(window, inWindow(to)); }
    void release(Qt::MouseButton button, QPoint at) const {
        QTest::mouseRelease(window, button, {}, inWindow(at));
    }
    void click(Qt::MouseButton button, QPoint at) const {
        press(button, at);
        release(button, at);
    }
    void drag(Qt::MouseButton button, QPoint from, QPoint to) const {
        press(button, from);
        move(to);
        release(button, to);
        chart->repaint();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(window, key, modifiers);
    }
    void steps(int k) const {
        for (int i = 0; i < k; ++i)
            form->Button1Click(form->Button1);
    }

    QAction* entry(const QString& text) const {
        for (QAction* action : menu->actions()) {
            if (action->text() == text)
                return action;
        }
        qWarning("no entry %s", qPrintable(text));
        return nullptr;
    }
    void openByRightClick() const {
        click(Qt::RightButton, centre());
        QVERIFY(menu->isVisible());
    }
    // Chooses the entry in the open menu as a screen reader does.
    void press(const QString& text) const {
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(menu);
        for (int i = 0; i < view->childCount(); ++i) {
            if (view->child(i)->text(QAccessible::Name) == text)
                view->child(i)->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
        }
        QVERIFY(!menu->isVisible());
    }
    void choose(const QString& text) const {
        openByRightClick();
        press(text);
    }
};

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

} // namespace

class TestChartMenu : public QObject {
    Q_OBJECT
private slots:
    void opens_data();
    void opens();
    void escClosesItAndTheMouseWorksAsBefore();
    void entriesOnTheAccessibilityBus();
    void copyPicture_data();
    void copyPicture();
    void copySamples_data();
    void copySamples();
    void copyWaveTableCompiles_data();
    void copyWaveTableCompiles();
    void keysStillGoThroughTheWindowFirst();
    void menuKeyMidDragEndsTheDrag();
    void entryAddedFromOutside();
};

void TestChartMenu::opens_data() {
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<QString>("focus"); // the control that has the focus before the gesture
    QTest::addColumn<bool>("opens");
    QTest::newRow("right click on the plot") << "right click"
                                             << "Chart1" << true;
    QTest::newRow("right click on the labels") << "right click on labels"
                                               << "Chart1" << true;
    QTest::newRow("right click, another control focused") << "right click"
                                                          << "btnZoom" << true;
    QTest::newRow("right drag") << "right drag"
                                << "Chart1" << false;
    QTest::newRow("right drag back to its start") << "right drag and back"
                                                  << "Chart1" << false;
    QTest::newRow("right drag from the labels") << "right drag on labels"
                                                << "Chart1" << false;
    QTest::newRow("left click during a right press") << "left inside right"
                                                     << "Chart1" << false;
    QTest::newRow("right click during a zoom drag") << "right inside left"
                                                    << "Chart1" << false;
    QTest::newRow("left click") << "left click"
                                << "Chart1" << false;
    QTest::newRow("Menu key on the chart") << "Menu"
                                           << "Chart1" << true;
    QTest::newRow("Shift+F10 on the chart") << "Shift+F10"
                                            << "Chart1" << true;
    QTest::newRow("F10 alone") << "F10"
                               << "Chart1" << false;
    QTest::newRow("Ctrl+Shift+F10") << "Ctrl+Shift+F10"
                                    << "Chart1" << false;
    QTest::newRow("Menu key on 1:1") << "Menu"
                                     << "btnZoom" << false;
    QTest::newRow("Shift+F10 on Clear") << "Shift+F10"
                                        << "btnClearChart" << false;
    QTest::newRow("Menu key on SIN") << "Menu"
                                     << "rbSin" << false;
}

void TestChartMenu::opens() {
    QFETCH(QString, gesture);
    QFETCH(QString, focus);
    QFETCH(bool, opens);
    Window w;
    w->findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);
    const Range bottom = rangeOf(w.chart->BottomAxis());
    const Range left = rangeOf(w.chart->LeftAxis());
    const QPoint c = w.centre();
    const QPoint onLabels = w.chart->PlotRect().bottomLeft() + QPoint(40, 12);

    if (gesture == "right click") {
        w.click(Qt::RightButton, c);
    } else if (gesture == "right click on labels") {
        w.click(Qt::RightButton, onLabels);
    } else if (gesture == "right drag") {
        w.drag(Qt::RightButton, c, c + QPoint(30, 20));
    } else if (gesture == "right drag and back") {
        w.press(Qt::RightButton, c);
        w.move(c + QPoint(30, 20));
        w.move(c);
        w.release(Qt::RightButton, c);
    } else if (gesture == "right drag on labels") {
        w.drag(Qt::RightButton, onLabels, onLabels + QPoint(30, 0));
    } else if (gesture == "left inside right") {
        w.press(Qt::RightButton, c);
        w.click(Qt::LeftButton, c);
        w.release(Qt::RightButton, c);
    } else if (gesture == "right inside left") {
        w.press(Qt::LeftButton, c);
        w.click(Qt::RightButton, c);
        QVERIFY(w.chart->ZoomPan().Zooming()); // the zoom drag goes on
        w.release(Qt::LeftButton, c);
    } else if (gesture == "left click") {
        w.click(Qt::LeftButton, c);
    } else {
        const QKeySequence keys(gesture == "Menu" ? QKeySequence(Qt::Key_Menu)
                                                  : QKeySequence::fromString(gesture));
        w.key(keys[0].key(), keys[0].keyboardModifiers());
    }

    QCOMPARE(w.menu->isVisible(), opens);
    QVERIFY(!w.chart->ZoomPan().Zooming() && !w.chart->ZoomPan().Panning());
    if (!gesture.contains("drag")) { // a drag on the plot pans, as it did
        QCOMPARE(rangeOf(w.chart->BottomAxis()), bottom);
        QCOMPARE(rangeOf(w.chart->LeftAxis()), left);
        QVERIFY(w.chart->RestoredAxisScales());
    }
}

void TestChartMenu::escClosesItAndTheMouseWorksAsBefore() {
    Window w;
    const QPoint c = w.centre();
    for (const bool byKey : {false, true}) {
        const long long redraws = w.chart->FullRedrawCount();
        if (byKey)
            w.key(Qt::Key_Menu);
        else
            w.click(Qt::RightButton, c);
        QVERIFY(w.menu->isVisible());
        w.key(Qt::Key_Escape);
        QVERIFY(!w.menu->isVisible());
        w.chart->repaint();
        QCOMPARE(w.chart->FullRedrawCount(), redraws);
        QCOMPARE(rangeOf(w.chart->BottomAxis()), (Range{0, 255}));
        QCOMPARE(rangeOf(w.chart->LeftAxis()), (Range{0, 255}));
        QVERIFY(w.chart->RestoredAxisScales());
    }

    // A left drag zooms, a right drag pans, the wheel scrolls, "1:1" undoes them.
    w.drag(Qt::LeftButton, c - QPoint(60, 40), c + QPoint(60, 40));
    QVERIFY(w.chart->BottomAxis().Range() < 255);
    const Range zoomed = rangeOf(w.chart->BottomAxis());
    w.drag(Qt::RightButton, c, c + QPoint(40, 0));
    QVERIFY(w.chart->BottomAxis().Minimum() < zoomed.min);
    QVERIFY(!w.menu->isVisible());
    const Range panned = rangeOf(w.chart->LeftAxis());
    QWheelEvent wheel(c, w.chart->mapToGlobal(c), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.chart, &wheel);
    QVERIFY(w.chart->LeftAxis().Minimum() > panned.min);
    QTest::mouseClick(w->btnZoom, Qt::LeftButton);
    QCOMPARE(rangeOf(w.chart->BottomAxis()), (Range{0, 255}));
    QCOMPARE(rangeOf(w.chart->LeftAxis()), (Range{0, 255}));
}

void TestChartMenu::entriesOnTheAccessibilityBus() {
    Window w;
    w.click(Qt::RightButton, w.centre());
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(w.menu);
    QVERIFY(view);
    QCOMPARE(view->role(), QAccessible::PopupMenu);
    QCOMPARE(view->text(QAccessible::Name), QStringLiteral("DAC output"));
    const QStringList names{"Copy picture", "Copy samples", "Copy wave table as C array"};
    QCOMPARE(view->childCount(), int(names.size()));
    for (int i = 0; i < view->childCount(); ++i) {
        QAccessibleInterface* item = view->child(i);
        QCOMPARE(item->role(), QAccessible::MenuItem);
        QCOMPARE(item->text(QAccessible::Name), names[i]);
        QVERIFY(item->actionInterface());
        QCOMPARE(item->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
    }
    // Press chooses the entry and closes the menu, as a click does.
    view->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!w.menu->isVisible());
    QCOMPARE(clipboardText(), QStringLiteral("X\tSample\n0\t128\n"));
}

void TestChartMenu::copyPicture_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("how");
    // clang-format off
    QTest::newRow("as shown, from the menu")           << "painted"        << "menu";
    QTest::newRow("as shown, by Ctrl+C")               << "painted"        << "Ctrl+C";
    QTest::newRow("points added since the last paint") << "redraw pending" << "menu";
    QTest::newRow("points added, by Ctrl+C")           << "redraw pending" << "Ctrl+C";
    QTest::newRow("resized since the last paint")      << "resized"        << "menu";
    QTest::newRow("rubber band shown, by Ctrl+C")      << "rubber band"    << "Ctrl+C";
    // clang-format on
}

void TestChartMenu::copyPicture() {
    QFETCH(QString, state);
    QFETCH(QString, how);
    Window w;
    w.steps(60);
    w.chart->repaint();
    // The step clock and the window's size go on while the menu is open.
    if (how == "menu")
        w.openByRightClick();
    if (state == "redraw pending") {
        w.steps(30);
        QVERIFY(w.chart->RedrawPending());
    } else if (state == "resized") {
        w.chart->resize(w.chart->width() - 150, w.chart->height() - 40);
        QVERIFY(w.chart->Picture().size() != w.chart->size());
    } else if (state == "rubber band") {
        w.press(Qt::LeftButton, w.centre());
        w.move(w.centre() + QPoint(80, 60));
    }

    if (how == "menu") {
        w.press(QStringLiteral("Copy picture"));
    } else {
        // Straight to the chart: QTest's keys to the window let the chart paint first.
        QKeyEvent ctrlC(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
        QApplication::sendEvent(w.chart, &ctrlC);
    }

    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), w.chart->size());
    QCOMPARE(copied.devicePixelRatio(), 1.0);
    QVERIFY(!w.chart->RedrawPending());
    QCOMPARE(rgb(copied), rgb(w.chart->Picture()));
    if (state == "rubber band") {
        QVERIFY(rgb(copied) != rgb(w.chart->grab().toImage())); // the band is only on screen
        w.release(Qt::LeftButton, w.centre() + QPoint(80, 60));
        QVERIFY(!w.chart->RestoredAxisScales()); // the copy did not disturb the drag
    } else {
        w.chart->repaint();
        QCOMPARE(rgb(copied), rgb(w.chart->grab().toImage()));
    }
}

void TestChartMenu::copySamples_data() {
    QTest::addColumn<int>("steps");
    QTest::addColumn<bool>("clear");
    QTest::addColumn<int>("width"); // of the chart in samples
    QTest::newRow("after start-up") << 0 << false << 255;
    QTest::newRow("a sweep of SIN") << 200 << false << 255;
    QTest::newRow("cleared") << 20 << true << 255;
    QTest::newRow("thousands of points") << 2500 << false << 3000;
}

void TestChartMenu::copySamples() {
    QFETCH(int, steps);
    QFETCH(bool, clear);
    QFETCH(int, width);
    Window w;
    w.chart->BottomAxis().SetMaximum(width);
    w.steps(steps);
    if (clear)
        w->btnClearChartClick(w->btnClearChart);
    w.choose(QStringLiteral("Copy samples"));

    const QString text = clipboardText();
    QVERIFY(!text.contains(QLatin1Char('\r')));
    QVERIFY(text.endsWith(QLatin1Char('\n')));
    const QStringList lines = text.chopped(1).split(QLatin1Char('\n'));
    QCOMPARE(lines.first(), QStringLiteral("X\tSample"));
    const TChartSeries& trace = *w->Series1;
    QCOMPARE(lines.size() - 1, trace.Count());
    for (int i = 0; i < trace.Count(); ++i) {
        const QString expected = QStringLiteral("%1\t%2")
                                     .arg(qint64(trace.XValues()[i]))
                                     .arg(qint64(trace.YValues()[i]));
        if (lines[i + 1] != expected)
            QFAIL(qPrintable(
                QStringLiteral("line %1 is %2, not %3").arg(i + 2).arg(lines[i + 1], expected)));
    }
}

Q_DECLARE_METATYPE(const TWaveTable*)

void TestChartMenu::copyWaveTableCompiles_data() {
    QTest::addColumn<QString>("waveforms"); // the radio buttons clicked, in order
    QTest::addColumn<QString>("name");
    QTest::addColumn<const TWaveTable*>("table");
    QTest::newRow("SIN at start-up") << ""
                                     << "sin" << &SinTable;
    QTest::newRow("SAW") << "rbSaw"
                         << "saw" << &SawTable;
    QTest::newRow("RSAW") << "rbRSaw"
                          << "rsaw" << &RSawTable;
    QTest::newRow("TRI") << "rbTri"
                         << "tri" << &TriTable;
    QTest::newRow("SQR") << "rbSqr"
                         << "sqr" << &SqrTable;
    QTest::newRow("ECG") << "rbEcg"
                         << "ecg" << &EcgTable;
    QTest::newRow("SIN again after ECG") << "rbEcg rbSin"
                                         << "sin" << &SinTable;
}

// The text as a C compiler reads it: compiled with a main that prints the 256 values.
void TestChartMenu::copyWaveTableCompiles() {
    QFETCH(QString, waveforms);
    QFETCH(QString, name);
    QFETCH(const TWaveTable*, table);
    QString compiler = QStandardPaths::findExecutable(QStringLiteral("cc"));
    if (compiler.isEmpty())
        compiler = QStandardPaths::findExecutable(QStringLiteral("gcc"));
    if (compiler.isEmpty())
        QSKIP("no C compiler (cc or gcc) on the PATH; tools/install-deps installs gcc");

    Window w;
    for (const QString& button : waveforms.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        QTest::mouseClick(w->findChild<TRadioButton*>(button), Qt::LeftButton);
    w.choose(QStringLiteral("Copy wave table as C array"));
    const QString source = clipboardText();
    const QStringList lines = source.split(QLatin1Char('\n'));
    QVERIFY2(lines[0].startsWith(QLatin1String("/* ")) && lines[0].contains(name.toUpper()),
             qPrintable(lines[0]));
    const QString array = QStringLiteral("wave_table_") + name;
    QCOMPARE(lines[1], QStringLiteral("const unsigned char %1[256] = {").arg(array));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("table.c")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(source.toUtf8());
    file.write(QStringLiteral("\n#include <stdio.h>\n"
                              "int main(void) {\n"
                              "    int i;\n"
                              "    for (i = 0; i < 256; ++i)\n"
                              "        printf(\"%d\\n\", %1[i]);\n"
                              "    return 0;\n"
                              "}\n")
                   .arg(array)
                   .toUtf8());
    file.close();
    QProcess cc;
    cc.setProcessChannelMode(QProcess::MergedChannels);
    cc.start(compiler, {"-std=c89", "-pedantic-errors", "-Wall", "-Wextra", "-Werror", "-o",
                        dir.filePath(QStringLiteral("table")), file.fileName()});
    QVERIFY(cc.waitForFinished(60000));
    QVERIFY2(cc.exitStatus() == QProcess::NormalExit && cc.exitCode() == 0,
             cc.readAll().constData());
    QProcess program;
    program.start(dir.filePath(QStringLiteral("table")), {});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);
    const QStringList printed =
        QString::fromLatin1(program.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(printed.size(), 256);
    for (int i = 0; i < 256; ++i)
        QCOMPARE(printed[i].toInt(), int((*table)[i]));
}

// The window previews the chart's keys as it does every key, before the chart acts on them; the
// space bar still toggles automatic stepping with the chart focused.
void TestChartMenu::keysStillGoThroughTheWindowFirst() {
    Window w;
    QList<int> previewed;
    const auto formKeyDown = w->OnKeyDown;
    w->OnKeyDown = [&](QObject* sender, int& key, Qt::KeyboardModifiers shift) {
        if (key != Qt::Key_Control && key != Qt::Key_Shift) // key-downs of their own, too
            previewed << key;
        formKeyDown(sender, key, shift);
    };
    w.chart->setFocus(Qt::MouseFocusReason);
    w.key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->image().size(), w.chart->size());
    w.key(Qt::Key_Menu);
    QVERIFY(w.menu->isVisible());
    w.key(Qt::Key_Escape); // the menu's own: the window's preview is for its own controls
    w.key(Qt::Key_F10, Qt::ShiftModifier);
    w.key(Qt::Key_Escape);
    QCOMPARE(previewed, (QList<int>{Qt::Key_C, Qt::Key_Menu, Qt::Key_F10}));
    w.key(Qt::Key_Space);
    QVERIFY(w->cbAuto->Checked());
    QCOMPARE(w->focusWidget(), w.chart);
}

// The menu is a popup, which takes the mouse: a drag it interrupts ends at once.
void TestChartMenu::menuKeyMidDragEndsTheDrag() {
    Window w;
    w.steps(40);
    w.chart->repaint();
    const QPoint a = w.centre() - QPoint(80, 50);
    const QPoint b = a + QPoint(120, 90);
    w.press(Qt::LeftButton, a);
    w.move(b);
    w.key(Qt::Key_Menu);
    QVERIFY(w.menu->isVisible());
    QVERIFY(!w.chart->ZoomPan().Zooming());
    w.release(Qt::LeftButton, b); // to the menu, which ignores it
    QVERIFY(w.menu->isVisible());
    w.key(Qt::Key_Escape);
    QVERIFY(w.chart->RestoredAxisScales());
    QCOMPARE(rgb(w.chart->grab().toImage()), rgb(w.chart->Picture())); // no band left behind
    w.drag(Qt::LeftButton, a, b);
    QVERIFY(!w.chart->RestoredAxisScales());
}

void TestChartMenu::entryAddedFromOutside() {
    Window w;
    int chosen = 0;
    w->ChartMenu().AddEntry(QStringLiteral("Signal lab…"), [&chosen] { ++chosen; });
    w->ChartMenu().AddEntry(QStringLiteral("Failing"),
                            [] { throw std::runtime_error("it went wrong"); });
    QCOMPARE(w.menu->actions().size(), 5);
    QCOMPARE(w.menu->actions().at(3)->text(), QStringLiteral("Signal lab…"));
    w.choose(QStringLiteral("Signal lab…"));
    QCOMPARE(chosen, 1);
    // An error in an entry goes the way of every handler's: shown, and the program goes on.
    w.choose(QStringLiteral("Failing"));
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    QCOMPARE(box->text(), QStringLiteral("it went wrong"));
    box->close();
}

QTEST_MAIN(TestChartMenu)
#include "tst_chartmenu.moc"
