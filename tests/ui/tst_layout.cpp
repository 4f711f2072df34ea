// The window's geometry, captions, fonts and colours as laid out for the density of the screen the
// suite runs on, and the captions' text metrics.
// CTest runs it three times, with the offscreen screen at 96, 120 and 144 pixels per inch.
#include "chart/Chart.h"
#include "ui/Fonts.h"
#include "ui/Layout.h"
#include "ui/LayoutRules.h"
#include "ui/Panel.h"
#include "ui/TextLayout.h"
#include "ui/Unit1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <cstdlib>
#include <map>
#include <memory>
#include <utility>

namespace {

// One row of the layout as designed, with its rectangle at each density the suite runs at.
struct Designed {
    QString name;
    QRect at96, at120, at144;
    QString caption{}; // lines separated by '\n'
    int fontSize = 0;  // at 120 dpi; 0: the window's font
    bool bold = false;
    QColor text{};         // invalid: the platform's window text
    QColor fill{};         // invalid: none, the parent shows
    Qt::Alignment align{}; // checked where given

    Designed Caption(const char* c) const { return With(&Designed::caption, QString::fromUtf8(c)); }
    Designed Font(int size, bool b) const {
        return With(&Designed::fontSize, size).With(&Designed::bold, b);
    }
    Designed Text(QColor c) const { return With(&Designed::text, c); }
    Designed Fill(QColor c) const { return With(&Designed::fill, c); }
    Designed Align(Qt::Alignment a) const { return With(&Designed::align, a); }

private:
    template <typename V> Designed With(V Designed::*member, V value) const {
        Designed d = *this;
        d.*member = value;
        return d;
    }
};

int ScreenDensity() {
    return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch());
}

// How much ink a caption leaves on white: the sum of every pixel's darkness, in whole pixels.
double Ink(const QFont& font, const QString& caption) {
    QImage picture(400, 60, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::black);
    DrawCaption(painter, picture.rect(), Qt::AlignLeft | Qt::AlignTop, caption);
    painter.end();
    double ink = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ink += (255 - qGray(picture.pixel(x, y))) / 255.0;
    return ink;
}

// The rows of a picture that hold a pixel of exactly this colour, first and last; -1 for none.
std::pair<int, int> RowsWith(const QImage& picture, const QColor& colour) {
    int first = -1, last = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) == colour.rgb()) {
                if (first < 0)
                    first = y;
                last = y;
            }
    return {first, last};
}

} // namespace

Q_DECLARE_METATYPE(Designed)

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void scaleRule_data();
    void scaleRule();
    void desktopCentre_data();
    void desktopCentre();
    void controls_data();
    void controls();
    void linePitch_data();
    void linePitch();
    void boldCaptionsLookBold();
    void displayDigitsStandOnTheFontsBaseline();
    void captionsFitBesideTheirMarks_data();
    void captionsFitBesideTheirMarks();
    void captionsInTheirColours_data();
    void captionsInTheirColours();
    void chartLabelsInArial8PointsInWholePixels();
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

// Every control as designed, at the density the suite runs at. Positions are relative to the
// parent's client area; labels size themselves to their text, so their sizes depend on the face.
void TestLayout::controls_data() {
    QTest::addColumn<Designed>("row");
    const QColor green(0, 128, 0);
    const auto row = [](const char* name, QRect at96, QRect at120, QRect at144) {
        Designed d;
        d.name = QString::fromLatin1(name);
        d.at96 = at96;
        d.at120 = at120;
        d.at144 = at144;
        return d;
    };
    // clang-format off
    const Designed rows[] = {
        row("Form1",         {0, 0, 942, 571},      {0, 0, 1177, 714},     {0, 0, 1412, 857})
            .Caption("Quarnel Electronics WAWETable simulator").Font(13, false),
        row("Panel2",        {-5, 173, 947, 401},   {-6, 216, 1183, 501},  {-7, 259, 1419, 601}),
        row("Panel3",        {6, 3, 948, 170},      {8, 4, 1185, 212},     {10, 5, 1422, 254}),
        row("Chart1",        {0, 42, 943, 358},     {0, 52, 1177, 448},    {0, 62, 1411, 538}),
        row("btnZoom",       {6, 5, 32, 17},        {8, 6, 39, 22},        {10, 7, 46, 27})
            .Caption("1:1").Font(13, true),
        row("btnClearChart", {42, 5, 48, 19},       {53, 6, 59, 24},       {64, 7, 70, 29})
            .Caption("Clear").Font(13, false),
        row("cbAutoClear",   {94, 5, 78, 19},       {118, 6, 97, 24},      {142, 7, 116, 29})
            .Caption("Auto Clear").Font(13, false),
        row("TrackBar2",     {211, 5, 732, 32},     {264, 6, 913, 40},     {317, 7, 1094, 48}),
        row("btn256",        {164, 5, 47, 19},      {205, 6, 59, 24},      {246, 7, 71, 29})
            .Caption("256").Font(13, false),
        row("Panel1",        {0, 6, 322, 159},      {0, 8, 403, 198},      {0, 10, 484, 237})
            .Fill(QColor(255, 255, 200)),
        row("Panel4",        {478, 11, 134, 154},   {598, 14, 167, 192},   {718, 17, 200, 230})
            .Fill(QColor(189, 255, 189)),
        row("Label5",        {347, 50, 104, 76},    {434, 63, 133, 96},    {521, 76, 151, 116})
            .Caption("WAWE\nTABLE\n(256 BYTES)\n------------->").Font(20, true).Align(Qt::AlignLeft),
        row("Label6",        {630, 26, 131, 114},   {787, 32, 167, 144},   {944, 38, 190, 174})
            .Caption("Wave output \non the graph\n(DAC imitation)\n--------------->>\n"
                     "click the arrow\nor click space").Font(20, true).Align(Qt::AlignLeft),
        row("Image1",        {787, 38, 135, 131},   {984, 48, 168, 163},   {1181, 58, 201, 195}),
        row("Label1",        {10, 5, 120, 44},      {13, 6, 156, 56},      {16, 7, 187, 68})
            .Caption("Table Pointer\nByte").Font(23, true).Align(Qt::AlignLeft),
        row("Label2",        {157, 30, 82, 19},     {196, 38, 103, 24},    {235, 46, 121, 29})
            .Caption("increment").Font(20, true).Align(Qt::AlignLeft),
        row("stHi",          {10, 69, 78, 41},      {13, 86, 97, 52},      {16, 103, 116, 63})
            .Caption("0").Font(40, true).Text(green).Fill(QColor(166, 202, 240))
            .Align(Qt::AlignHCenter | Qt::AlignTop),
        row("Button2",       {72, 32, 63, 20},      {90, 40, 79, 25},      {108, 48, 95, 30})
            .Caption("Reset").Font(17, true),
        row("cbAuto",        {157, 3, 151, 28},     {196, 4, 189, 35},     {235, 5, 227, 42})
            .Caption("START  AUTO").Font(23, true).Text(green).Fill(QColor(255, 0, 255)),
        row("Button1",       {157, 66, 58, 42},     {196, 83, 73, 52},     {235, 100, 88, 62})
            .Caption("+1").Font(43, true),
        row("TrackBar1",     {10, 129, 304, 28},    {13, 161, 380, 35},    {16, 193, 456, 42}),
        row("rbSin",         {21, 14, 45, 14},      {26, 18, 57, 17},      {31, 22, 69, 20})
            .Caption("SIN").Font(17, true),
        row("rbSaw",         {21, 34, 45, 14},      {26, 43, 57, 17},      {31, 52, 69, 20})
            .Caption("SAW").Font(17, true),
        row("rbRSaw",        {21, 54, 84, 14},      {26, 68, 105, 17},     {31, 82, 126, 20})
            .Caption("RSAW").Font(17, true),
        row("rbTri",         {21, 74, 84, 14},      {26, 93, 105, 17},     {31, 112, 126, 20})
            .Caption("TRI").Font(17, true),
        row("rbSqr",         {21, 96, 84, 14},      {26, 120, 105, 17},    {31, 144, 126, 20})
            .Caption("SQR").Font(17, true),
        row("rbEcg",         {21, 114, 45, 14},     {26, 143, 57, 17},     {31, 172, 69, 20})
            .Caption("ECG").Font(17, true),
    };
    // clang-format on
    for (const Designed& d : rows)
        QTest::newRow(qPrintable(d.name)) << d;
}

void TestLayout::controls() {
    QFETCH(Designed, row);
    const int density = ScreenDensity();
    // 13, 17, 20, 23, 40, 43 at 120 dpi are 10, 14, 16, 18, 32, 34 at 96 and 16, 20, 24, 28, 48,
    // 52 at 144.
    const std::map<int, std::map<int, int>> sizes = {
        {96, {{13, 10}, {17, 14}, {20, 16}, {23, 18}, {40, 32}, {43, 34}}},
        {120, {{13, 13}, {17, 17}, {20, 20}, {23, 23}, {40, 40}, {43, 43}}},
        {144, {{13, 16}, {17, 20}, {20, 24}, {23, 28}, {40, 48}, {43, 52}}},
    };
    const auto at = sizes.find(density);
    QVERIFY2(at != sizes.end(), "the suite runs at 96, 120 or 144 pixels per inch only");
    const QRect expected = density == 96 ? row.at96 : density == 120 ? row.at120 : row.at144;

    TForm1 form;
    QWidget* widget = row.name == u"Form1" ? &form : form.findChild<QWidget*>(row.name);
    QVERIFY(widget);
    const QRect actual = widget == &form ? QRect(QPoint(0, 0), form.size()) : widget->geometry();
    auto* label = qobject_cast<QLabel*>(widget);
    if (label && label->metaObject() == &QLabel::staticMetaObject) {
        // A label is as large as its text, laid out in the face's whole-pixel widths and line
        // metrics.
        if (LayoutFontFamily() != u"Tahoma")
            QSKIP("label sizes are Tahoma's");
        QCOMPARE(actual.topLeft(), expected.topLeft());
        QVERIFY2(std::abs(actual.width() - expected.width()) <= 1 &&
                     std::abs(actual.height() - expected.height()) <= 1,
                 qPrintable(QStringLiteral("%1 × %2").arg(actual.width()).arg(actual.height())));
    } else {
        QCOMPARE(actual, expected);
    }

    QString caption;
    if (widget == &form)
        caption = form.windowTitle();
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        caption = button->text();
    else if (label)
        caption = label->text();
    QCOMPARE(caption, row.caption);

    // A control that sets no font of its own shows the window's.
    const int design = row.fontSize ? row.fontSize : 13;
    QCOMPARE(widget->font().pixelSize(), at->second.at(design));
    QCOMPARE(widget->font().bold(), row.bold);
    QCOMPARE(widget->font().family(), LayoutFontFamily());

    // Text is in the platform's window text unless the row says otherwise.
    const QPalette::ColorRole textRole =
        qobject_cast<QPushButton*>(widget) ? QPalette::ButtonText : QPalette::WindowText;
    const QColor text =
        row.text.isValid() ? row.text : QApplication::palette(widget).color(textRole);
    QCOMPARE(widget->palette().color(textRole), text);

    // A fill of its own, or none, so that the parent's colour shows.
    if (auto* panel = qobject_cast<TPanel*>(widget)) {
        QCOMPARE(panel->Fill(), row.fill);
    } else {
        QCOMPARE(widget->autoFillBackground(), row.fill.isValid());
        if (row.fill.isValid())
            QCOMPARE(widget->palette().color(widget->backgroundRole()), row.fill);
    }

    if (row.align)
        QCOMPARE(label->alignment() & row.align, row.align);
}

void TestLayout::linePitch_data() {
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("pitch");
    QTest::newRow("20 px bold: 24-pixel lines") << 20 << true << 24;
    QTest::newRow("20 px regular: 24-pixel lines") << 20 << false << 24;
    QTest::newRow("23 px bold: 28-pixel lines") << 23 << true << 28;
    QTest::newRow("16 px bold, 20 at 96 dpi: 19-pixel lines") << 16 << true << 19;
    QTest::newRow("24 px bold, 20 at 144 dpi: 29-pixel lines") << 24 << true << 29;
}

void TestLayout::linePitch() {
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(int, pitch);
    if (LayoutFontFamily() != u"Tahoma")
        QSKIP("the line pitch is Tahoma's");
    QCOMPARE(LineMetrics(LayoutFont(pixels, bold)).Pitch(), pitch);
}

void TestLayout::boldCaptionsLookBold() {
    // Wine's bold Tahoma drawn as it is leaves hardly more ink than the regular face.
    const QString caption = QStringLiteral("Table Pointer");
    const double bold = Ink(LayoutFont(23, true), caption);
    const double regular = Ink(LayoutFont(23, false), caption);
    QVERIFY2(bold > 1.3 * regular, qPrintable(QStringLiteral("%1 / %2").arg(bold).arg(regular)));
}

void TestLayout::displayDigitsStandOnTheFontsBaseline() {
    if (LayoutFontFamily() != u"Tahoma")
        QSKIP("the baseline is Tahoma's");
    // Set at the top, inside the one-pixel frame: the baseline lies the font's ascent below that,
    // and Tahoma's ascent is its size (32, 40 and 48 pixels at 96, 120 and 144 dpi).
    const std::map<int, int> lastRow = {{96, 32}, {120, 40}, {144, 48}};
    TForm1 form;
    const auto [first, last] = RowsWith(form.stHi->grab().toImage(), QColor(0, 128, 0));
    QVERIFY(first >= 0);
    QVERIFY2(std::abs(last - lastRow.at(ScreenDensity())) <= 1,
             qPrintable(QStringLiteral("the digits end in row %1").arg(last)));
}

void TestLayout::captionsFitBesideTheirMarks_data() {
    QTest::addColumn<QString>("control");
    for (const char* name :
         {"cbAutoClear", "cbAuto", "rbSin", "rbSaw", "rbRSaw", "rbTri", "rbSqr", "rbEcg"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// The mark, the gap after it and the caption within the control's rectangle, so that no caption
// is cut off at its right end.
void TestLayout::captionsFitBesideTheirMarks() {
    QFETCH(QString, control);
    TForm1 form;
    auto* button = form.findChild<QAbstractButton*>(control);
    QVERIFY(button);
    const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
    const QStyle* style = button->style();
    const int mark = style->pixelMetric(
        radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, button);
    const int gap = style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing
                                             : QStyle::PM_CheckBoxLabelSpacing,
                                       nullptr, button);
    const int needed = mark + gap + CaptionSize(button->font(), button->text()).width();
    QVERIFY2(needed <= button->width(),
             qPrintable(QStringLiteral("%1 of %2 pixels").arg(needed).arg(button->width())));
}

// The captions' pixels in their text colour, as drawn.
void TestLayout::captionsInTheirColours_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QColor>("text");
    QTest::newRow("display green on sky blue") << "stHi" << QColor(0, 128, 0);
    QTest::newRow("START  AUTO green") << "cbAuto" << QColor(0, 128, 0);
    QTest::newRow("Table Pointer in window text")
        << "Label1" << QApplication::palette().color(QPalette::WindowText);
    QTest::newRow("+1 in button text")
        << "Button1" << QApplication::palette().color(QPalette::ButtonText);
}

void TestLayout::captionsInTheirColours() {
    QFETCH(QString, control);
    QFETCH(QColor, text);
    TForm1 form;
    QWidget* widget = form.findChild<QWidget*>(control);
    QVERIFY(widget);
    QVERIFY(RowsWith(widget->grab().toImage(), text).first >= 0);
}

void TestLayout::chartLabelsInArial8PointsInWholePixels() {
    // 8 × dpi / 72: 10.67, 13.33 and 16 pixels.
    const std::map<int, int> pixels = {{96, 11}, {120, 13}, {144, 16}};
    TForm1 form;
    const QFont& font = form.Chart1->Layout().Font();
    QCOMPARE(font.family(), QStringLiteral("Arial"));
    QCOMPARE(font.pixelSize(), pixels.at(ScreenDensity()));
    QVERIFY(!font.bold() && !font.italic());
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
