#include "chart/AxisLabels.h"
#include "chart/Chart.h"
#include "chart/ChartLayout.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLocale>
#include <QTest>

namespace {
const QRgb Black = qRgb(0, 0, 0);
const QRgb TickGrey = qRgb(128, 128, 128);
const QRgb GridGrey = qRgb(192, 192, 192);

// The chart as the main window shows it at start-up: both axes 0..255 and the first Sample.
struct Fixture {
    TChart chart;
    QImage image;
    explicit Fixture(double bottomMaximum = 255, QSize size = QSize(1177, 448), int points = 1) {
        chart.resize(size);
        chart.LeftAxis().StoreRange(0, 255);
        chart.BottomAxis().StoreRange(0, bottomMaximum);
        for (int i = 0; i < points; ++i)
            chart.Series().AddY(128);
        image = QImage(size, QImage::Format_RGB32);
        chart.Render(image);
    }
    QRect plot() { return chart.PlotRect(); }
    const std::vector<TChartLayout::TLabel>& bottom() { return chart.Layout().BottomLabels(); }
    const std::vector<TChartLayout::TLabel>& left() { return chart.Layout().LeftLabels(); }
    bool anyDark(const QRect& area) const {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(image.pixel(x, y)) < 100)
                    return true;
        return false;
    }
};

double Step(const std::vector<TChartLayout::TLabel>& labels) {
    return labels.size() < 2 ? 0 : labels[0].value - labels[1].value;
}
} // namespace

class TestAxisPainter : public QObject {
    Q_OBJECT
private slots:
    void startUpLabelsBothAxes();
    void startUpDrawing();
    void bandsHoldTheLabels();
    void wideRangeIsGrouped();
    void bottomLabels_data();
    void bottomLabels();
    void rangeChangeRelabels();
};

void TestAxisPainter::startUpLabelsBothAxes() {
    Fixture f;
    qInfo("label font %s, %d px at %d dpi; steps: bottom %g, left %g",
          qPrintable(QFontInfo(f.chart.Layout().Font()).family()),
          f.chart.Layout().Font().pixelSize(), f.chart.logicalDpiY(), Step(f.bottom()),
          Step(f.left()));
    for (const auto* labels : {&f.bottom(), &f.left()}) {
        QVERIFY(labels->size() >= 2);
        // The last label is 0, the first the largest multiple of the step not above 255.
        QCOMPARE(labels->back().value, 0.0);
        QCOMPARE(labels->back().text, QStringLiteral("0"));
        const double step = Step(*labels);
        QCOMPARE(labels->front().value, std::floor(255 / step) * step);
    }
    // Label 0 at the common corner of both axes.
    QCOMPARE(f.bottom().back().pixel, f.plot().left());
    QCOMPARE(f.left().back().pixel, f.plot().bottom());
    QCOMPARE(f.chart.BottomAxis().StartPixel(), f.plot().left());
    QCOMPARE(f.chart.BottomAxis().EndPixel(), f.plot().right());
    QCOMPARE(f.chart.LeftAxis().StartPixel(), f.plot().top());
    QCOMPARE(f.chart.LeftAxis().EndPixel(), f.plot().bottom());
}

void TestAxisPainter::startUpDrawing() {
    Fixture f;
    const QRect p = f.plot();
    const int middleY = (p.top() + p.bottom()) / 2;
    const int middleX = (p.left() + p.right()) / 2;

    // Both axis lines, two pixels wide, meeting in the corner.
    for (int d : {0, 1}) {
        QCOMPARE(f.image.pixel(middleX, p.bottom() + d), Black);
        QCOMPARE(f.image.pixel(p.left() - d, middleY), Black);
    }
    QCOMPARE(f.image.pixel(p.left() - 1, p.bottom() + 1), Black);

    // A grid line and a major tick at every label strictly inside the axis.
    for (const auto& label : f.bottom()) {
        if (label.pixel == p.left())
            continue;
        QCOMPARE(f.image.pixel(label.pixel, middleY), GridGrey);
        QCOMPARE(f.image.pixel(label.pixel, p.bottom() + 5), TickGrey);
    }
    for (const auto& label : f.left()) {
        if (label.pixel == p.bottom())
            continue;
        QCOMPARE(f.image.pixel(middleX, label.pixel), GridGrey);
        QCOMPARE(f.image.pixel(p.left() - 5, label.pixel), TickGrey);
    }
    // No grid line on the opposite edges, which carry no label at a step that does not
    // divide 255; and no tick there either.
    QVERIFY(std::fmod(255, Step(f.bottom())) != 0);
    QVERIFY(std::fmod(255, Step(f.left())) != 0);
    QVERIFY(f.image.pixel(p.right(), middleY) != GridGrey);
    QVERIFY(f.image.pixel(middleX, p.top()) != GridGrey);
    for (int d = 2; d <= 5; ++d) {
        QVERIFY(f.image.pixel(p.right(), p.bottom() + d) != TickGrey);
        QVERIFY(f.image.pixel(p.left() - d, p.top()) != TickGrey);
    }
    // The label 0 of the left axis gets no grid line: the row just above the bottom axis line
    // is grey only where a vertical grid line crosses it.
    QCOMPARE(f.image.pixel(middleX, p.bottom() - 1) == GridGrey,
             std::any_of(f.bottom().begin(), f.bottom().end(),
                         [&](const auto& l) { return l.pixel == middleX; }));

    // Minor ticks: two pixels long, three between the first two labels.
    const int x0 = f.bottom()[0].pixel;
    const int x1 = f.bottom()[1].pixel;
    int minor = 0;
    for (int x = x1 + 1; x < x0; ++x)
        if (f.image.pixel(x, p.bottom() + 2) == TickGrey) {
            ++minor;
            QVERIFY(f.image.pixel(x, p.bottom() + 4) != TickGrey);
        }
    QCOMPARE(minor, 3);

    // The label texts: 0 below the corner and 0 left of it.
    const int h = QFontMetrics(f.chart.Layout().Font()).height();
    QVERIFY(f.anyDark(QRect(p.left() - 4, p.bottom() + 8, 9, h)));
    QVERIFY(f.anyDark(QRect(p.left() - 20, p.bottom() - h / 2, 13, h)));
    // Nothing dark in the tick strips except the axis lines themselves.
    QVERIFY(!f.anyDark(QRect(p.left() + 1, p.bottom() + 2, p.width() - 1, 6)));
    QVERIFY(!f.anyDark(QRect(p.left() - 7, p.top(), 6, p.height() - 1)));
}

void TestAxisPainter::bandsHoldTheLabels() {
    Fixture f;
    const QRect p = f.plot();
    const QFontMetrics metrics(f.chart.Layout().Font());
    // The bottom band is one line of text below the 7-pixel strip, and ends at the bevel.
    QCOMPARE(p.bottom() + 7 + metrics.height(), f.chart.height() - 2);
    // The left band: the widest left label plus a space, then the strip.
    int widest = 0;
    for (const auto& label : f.left())
        widest = std::max(widest, label.width);
    QCOMPARE(p.left(), 1 + widest + metrics.horizontalAdvance(QLatin1Char(' ')) + 7);
    QCOMPARE(p.top(), 1);
    QCOMPARE(p.right(), f.chart.width() - 2);
}

void TestAxisPainter::wideRangeIsGrouped() {
    Fixture f(10000);
    // The tests run in the C locale, whose grouping separator is a comma.
    QCOMPARE(f.bottom().front().text, QStringLiteral("10,000"));
    QCOMPARE(f.bottom().back().text, QStringLiteral("0"));
    for (const auto& label : f.bottom())
        QCOMPARE(label.text, AxisLabels::FormatLabel(label.value, QLocale::c()));
}

// What the bottom axis of a real chart labels, for its size, range, trace and the user's locale.
void TestAxisPainter::bottomLabels_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("maximum"); // of a range from 0
    QTest::addColumn<int>("points");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("first"); // the texts of the highest labels, highest first
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    // 880 pixels across give 0..5 room for 50 labels in Arial 8 points at 96 dpi.
    QTest::newRow("0..5 with room for 50, 50 points: whole steps")
        << QSize(880, 448) << 5.0 << 50 << english << QStringList{"5", "4", "3"};
    QTest::newRow("0..5 with room for 50, 51 points: tenths")
        << QSize(880, 448) << 5.0 << 51 << english << QStringList{"5", "4.9", "4.8"};
    QTest::newRow("width 10000, English")
        << QSize(1177, 448) << 10000.0 << 1 << english << QStringList{"10,000", "9,500", "9,000"};
    QTest::newRow("width 10000, German")
        << QSize(1177, 448) << 10000.0 << 1 << german << QStringList{"10.000", "9.500", "9.000"};
    QTest::newRow("no room along the bottom axis for one label")
        << QSize(45, 300) << 255.0 << 1 << english << QStringList{};
}

void TestAxisPainter::bottomLabels() {
    QFETCH(QSize, size);
    QFETCH(double, maximum);
    QFETCH(int, points);
    QFETCH(QLocale, locale);
    QFETCH(QStringList, first);
    const QLocale before;
    QLocale::setDefault(locale);
    Fixture f(maximum, size, points);
    QLocale::setDefault(before);
    QStringList texts;
    for (const auto& label : f.bottom())
        texts << label.text;
    if (first.isEmpty()) {
        QCOMPARE(texts, QStringList{});
    } else {
        QCOMPARE(texts.mid(0, int(first.size())), first);
        QCOMPARE(texts.last(), QStringLiteral("0"));
    }
    // The axis line is drawn with or without labels, and the left axis keeps its own.
    QCOMPARE(f.image.pixel(f.plot().center().x(), f.plot().bottom()), Black);
    QVERIFY(!f.left().empty());
}

void TestAxisPainter::rangeChangeRelabels() {
    Fixture f;
    f.chart.BottomAxis().SetMinMax(-37.5, 217.5);
    f.chart.Render(f.image);
    QCOMPARE(f.bottom().front().value, std::floor(217.5 / Step(f.bottom())) * Step(f.bottom()));
    QVERIFY(f.bottom().back().value < 0);
    QVERIFY(f.bottom().back().text.startsWith(QLatin1Char('-')));

    // Too short for one label: no labels, ticks or grid, but the axis line stays.
    Fixture tiny(255, QSize(400, 28));
    QVERIFY(tiny.left().empty());
    QCOMPARE(tiny.image.pixel(tiny.plot().left(), tiny.plot().center().y()), Black);
    // Smaller than its own bands: drawn without complaint.
    Fixture crushed(255, QSize(3, 3));
    QVERIFY(crushed.plot().width() <= 0);
}

QTEST_MAIN(TestAxisPainter)
#include "tst_axispainter.moc"
