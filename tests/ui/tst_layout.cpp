// The window's geometry and fonts as laid out for the density of the screen the suite runs on.
// CTest runs it three times, with the offscreen screen at 96, 120 and 144 pixels per inch.
#include "ui/Fonts.h"
#include "ui/Layout.h"
#include "ui/LayoutRules.h"
#include "ui/Unit1.h"

#include <QFile>
#include <QScreen>
#include <QTest>
#include <map>
#include <memory>

namespace {

int ScreenDensity() {
    return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch());
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void scaleRule_data();
    void scaleRule();
    void desktopCentre_data();
    void desktopCentre();
    void geometry_data();
    void geometry();
    void fonts_data();
    void fonts();
    void tahomaWhereWinesFontPackageIsInstalled();
    void tooLowADensityScalesNothing();
};

void TestLayout::scaleRule_data() {
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("expected");
    QTest::newRow("exact") << 120 << 96 << 120 << 96;
    QTest::newRow("rounds down") << 13 << 96 << 120 << 10; // 10.4
    QTest::newRow("rounds up") << 43 << 144 << 120 << 52;  // 51.6
    QTest::newRow("half goes away from zero") << 5 << 60 << 120 << 3;
    QTest::newRow("negative half goes away from zero") << -5 << 60 << 120 << -3;
    QTest::newRow("negative edge") << -6 << 96 << 120 << -5; // -4.8
    QTest::newRow("v times P beyond int") << 1000000000 << 192 << 96 << 2000000000;
}

void TestLayout::scaleRule() {
    QFETCH(int, v);
    QFETCH(int, to);
    QFETCH(int, from);
    QFETCH(int, expected);
    QCOMPARE(ScaleLength(v, to, from), expected);
}

void TestLayout::desktopCentre_data() {
    QTest::addColumn<QRect>("desktop");
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("odd sizes truncate")
        << QRect(0, 0, 1921, 1081) << QSize(943, 571) << QPoint(960 - 471, 540 - 285);
    QTest::newRow("desktop with an offset") << QRect(-1280, 100, 3200, 1200) << QSize(1177, 714)
                                            << QPoint(-1280 + 1600 - 588, 100 + 600 - 357);
    QTest::newRow("larger than the desktop")
        << QRect(10, 20, 800, 600) << QSize(1177, 714) << QPoint(10, 20);
}

void TestLayout::desktopCentre() {
    QFETCH(QRect, desktop);
    QFETCH(QSize, outer);
    QFETCH(QPoint, expected);
    QCOMPARE(DesktopCentre(desktop, outer), expected);
}

// Figures for the density the suite runs at; a density with no figures fails loudly.
void TestLayout::geometry_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("expected"); // relative to the parent's client area
    const int density = ScreenDensity();
    const auto row = [&](int at, const char* name, QRect r) {
        if (at == density)
            QTest::addRow("%d dpi %s", at, name) << QString::fromLatin1(name) << r;
    };
    row(96, "Form1", QRect(0, 0, 942, 571));
    row(96, "Panel2", QRect(-5, 173, 947, 401));
    row(96, "Image1", QRect(787, 38, 135, 131));
    row(120, "Form1", QRect(0, 0, 1177, 714));
    row(120, "Panel2", QRect(-6, 216, 1183, 501));
    row(120, "Panel3", QRect(8, 4, 1185, 212));
    row(120, "Chart1", QRect(0, 52, 1177, 448));
    row(120, "TrackBar2", QRect(264, 6, 913, 40));
    row(120, "Image1", QRect(984, 48, 168, 163));
    row(120, "Button2", QRect(90, 40, 79, 25));
    row(120, "rbSqr", QRect(26, 120, 105, 17));
    row(144, "Form1", QRect(0, 0, 1412, 857));
    row(144, "Image1", QRect(1181, 58, 201, 195));
    if (density != 96 && density != 120 && density != 144)
        QTest::addRow("no figures for %d dpi", density) << QString() << QRect();
}

void TestLayout::geometry() {
    QFETCH(QString, control);
    QFETCH(QRect, expected);
    QVERIFY2(!control.isEmpty(), "the suite runs at 96, 120 or 144 pixels per inch only");
    TForm1 form;
    QWidget* widget = control == u"Form1" ? &form : form.findChild<QWidget*>(control);
    QVERIFY(widget);
    const QRect actual = widget == &form ? QRect(QPoint(0, 0), form.size()) : widget->geometry();
    QCOMPARE(actual, expected);
}

void TestLayout::fonts_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("design");
    QTest::addColumn<bool>("bold");
    QTest::newRow("window") << "Form1" << 13 << false;
    QTest::newRow("Clear") << "btnClearChart" << 13 << false;
    QTest::newRow("1:1") << "btnZoom" << 13 << true;
    QTest::newRow("Reset") << "Button2" << 17 << true;
    QTest::newRow("SIN") << "rbSin" << 17 << true;
    QTest::newRow("WAWE TABLE") << "Label5" << 20 << true;
    QTest::newRow("Table Pointer") << "Label1" << 23 << true;
    QTest::newRow("START  AUTO") << "cbAuto" << 23 << true;
    QTest::newRow("display") << "stHi" << 40 << true;
    QTest::newRow("+1") << "Button1" << 43 << true;
    QTest::newRow("chart-width slider, the window's font") << "TrackBar2" << 13 << false;
}

void TestLayout::fonts() {
    QFETCH(QString, control);
    QFETCH(int, design);
    QFETCH(bool, bold);
    // 13, 17, 20, 23, 40, 43 at 120 dpi are 10, 14, 16, 18, 32, 34 at 96 and 16, 20, 24, 28, 48,
    // 52 at 144.
    const std::map<int, std::map<int, int>> sizes = {
        {96, {{13, 10}, {17, 14}, {20, 16}, {23, 18}, {40, 32}, {43, 34}}},
        {120, {{13, 13}, {17, 17}, {20, 20}, {23, 23}, {40, 40}, {43, 43}}},
        {144, {{13, 16}, {17, 20}, {20, 24}, {23, 28}, {40, 48}, {43, 52}}},
    };
    const auto at = sizes.find(ScreenDensity());
    QVERIFY2(at != sizes.end(), "the suite runs at 96, 120 or 144 pixels per inch only");
    TForm1 form;
    QWidget* widget = control == u"Form1" ? &form : form.findChild<QWidget*>(control);
    QVERIFY(widget);
    QCOMPARE(widget->font().pixelSize(), at->second.at(design));
    QCOMPARE(widget->font().bold(), bold);
    QCOMPARE(widget->font().family(), LayoutFontFamily());
}

void TestLayout::tahomaWhereWinesFontPackageIsInstalled() {
    // Debian's fonts-wine puts its Tahoma where fontconfig does not look for fonts.
    if (!QFile::exists(QStringLiteral("/var/lib/dpkg/info/fonts-wine.list")))
        QSKIP("fonts-wine is not installed");
    QCOMPARE(LayoutFontFamily(), QStringLiteral("Tahoma"));
}

void TestLayout::tooLowADensityScalesNothing() {
    TForm1 form;
    auto* layout = form.findChild<TLayout*>();
    QVERIFY(layout);
    const QSize before = form.size();
    layout->Rescale(29);
    QCOMPARE(form.size(), before);
    QCOMPARE(layout->Density(), ScreenDensity());
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
