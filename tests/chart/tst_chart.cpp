#include "chart/Chart.h"
#include "chart/ChartLayout.h"
#include "chart/TraceRenderer.h"

#include <QImage>
#include <QSet>
#include <QTest>
#include <memory>
#include <utility>

namespace {

// A chart shown on the offscreen screen, painted once, with a short trace.
struct ShownChart {
    std::unique_ptr<TChart> chart = std::make_unique<TChart>();
    ShownChart() {
        chart->resize(600, 300);
        chart->LeftAxis().StoreRange(0, 255);
        chart->BottomAxis().StoreRange(0, 100);
        for (int i = 0; i < 10; ++i)
            chart->Series().AddY(i * 20);
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
        QTRY_VERIFY(!chart->RedrawPending());
    }
    TChart* operator->() const { return chart.get(); }
};

// A chart that has never been painted, with `points` points and the given bottom range.
struct UnpaintedChart {
    TChart chart;
    UnpaintedChart(QSize size, double bottomMin, double bottomMax, int points) {
        chart.resize(size);
        chart.LeftAxis().StoreRange(0, 255);
        chart.BottomAxis().StoreRange(bottomMin, bottomMax);
        for (int i = 0; i < points; ++i)
            chart.Series().AddY(i % 256);
    }
};

// Everything of a layout that the painting and the mouse go by: the plot rectangle, both axes'
// pixel ranges, then their labels and minor ticks.
QStringList Described(const TChartLayout& layout, const TChartAxis& bottom,
                      const TChartAxis& left) {
    QStringList lines;
    const QRect plot = layout.PlotRect();
    lines << QStringLiteral("plot %1,%2 %3x%4")
                 .arg(plot.left())
                 .arg(plot.top())
                 .arg(plot.width())
                 .arg(plot.height());
    for (const TChartAxis* axis : {&bottom, &left})
        lines << QStringLiteral("pixels %1..%2").arg(axis->StartPixel()).arg(axis->EndPixel());
    for (const TChartLayout::TAxis* axis : {&layout.Bottom(), &layout.Left()}) {
        QString line = QStringLiteral("labels");
        for (const TChartLayout::TLabel& label : axis->labels)
            line += QStringLiteral(" %1@%2").arg(label.text).arg(label.pixel);
        line += QStringLiteral("; minor");
        for (int pixel : axis->minorTicks)
            line += QStringLiteral(" %1").arg(pixel);
        lines << line;
    }
    return lines;
}

QStringList Described(TChart& chart) {
    return Described(chart.Layout(), chart.BottomAxis(), chart.LeftAxis());
}

// The layout worked out afresh for the chart's present state, inside its 1-pixel bevel.
QStringList FreshlyLaidOut(TChart& chart) {
    TChartAxis bottom{TChartAxis::TOrientation::Horizontal};
    TChartAxis left{TChartAxis::TOrientation::Vertical};
    for (auto [copy, axis] :
         {std::pair{&bottom, &chart.BottomAxis()}, {&left, &chart.LeftAxis()}}) {
        copy->StoreRange(axis->Minimum(), axis->Maximum());
        copy->Increment = axis->Increment;
        copy->Visible = axis->Visible;
    }
    TChartLayout layout;
    layout.Update(chart.rect().adjusted(1, 1, -1, -1), chart.logicalDpiY(), bottom, left,
                  chart.Series().Count());
    return Described(layout, bottom, left);
}

enum class TLayoutChange { TraceGrows, Zoom, Resize, Increment, BottomHidden };

enum class TAxisChange {
    SameMaximum,
    NewMaximum,
    SameMinMax,
    NewMinMaxMaximumOnly,
    StoreSame,
    Scroll
};

} // namespace

Q_DECLARE_METATYPE(TAxisChange)
Q_DECLARE_METATYPE(TLayoutChange)

class TestChart : public QObject {
    Q_OBJECT
private slots:
    void requestsCoalesceIntoOneRedraw();
    void paintWithNothingPendingRedrawsNothing();
    void axisChangesRequestARedraw_data();
    void axisChangesRequestARedraw();
    void redrawPaintsBackgroundBevelAxesAndTrace();
    void tooSmallForItsBandsStillDraws_data();
    void tooSmallForItsBandsStillDraws();
    void laidOutWithoutAPaint();
    void keptLayoutFollowsEveryChange_data();
    void keptLayoutFollowsEveryChange();
};

void TestChart::requestsCoalesceIntoOneRedraw() {
    ShownChart c;
    const long long before = c->FullRedrawCount();
    for (int i = 0; i < 500; ++i)
        c->Series().AddY(i % 256);
    c->Series().Clear();
    c->Series().AddY(7);
    c->BottomAxis().SetMaximum(200);
    // Nothing is drawn inside an add, a clear or an axis change: they only mark the chart.
    QCOMPARE(c->FullRedrawCount(), before);
    QVERIFY(c->RedrawPending());
    QTRY_VERIFY(!c->RedrawPending());
    QCOMPARE(c->FullRedrawCount(), before + 1);
}

void TestChart::paintWithNothingPendingRedrawsNothing() {
    ShownChart c;
    const long long before = c->FullRedrawCount();
    const QImage picture = c->Picture();
    c->repaint(); // as when the window is uncovered
    QCOMPARE(c->FullRedrawCount(), before);
    QCOMPARE(c->Picture(), picture);
    QCOMPARE(c->grab().toImage().convertToFormat(picture.format()), picture);
}

void TestChart::axisChangesRequestARedraw_data() {
    QTest::addColumn<TAxisChange>("change");
    QTest::addColumn<bool>("requested");
    QTest::newRow("the maximum it already has") << TAxisChange::SameMaximum << false;
    QTest::newRow("a new maximum") << TAxisChange::NewMaximum << true;
    QTest::newRow("SetMinMax to the range it has") << TAxisChange::SameMinMax << false;
    QTest::newRow("SetMinMax moving one end") << TAxisChange::NewMinMaxMaximumOnly << true;
    QTest::newRow("restoring the range it has") << TAxisChange::StoreSame << false;
    QTest::newRow("a wheel scroll, even by 0") << TAxisChange::Scroll << true;
}

void TestChart::axisChangesRequestARedraw() {
    QFETCH(TAxisChange, change);
    QFETCH(bool, requested);
    ShownChart c;
    TChartAxis& axis = c->BottomAxis();
    switch (change) {
    case TAxisChange::SameMaximum:
        axis.SetMaximum(100);
        break;
    case TAxisChange::NewMaximum:
        axis.SetMaximum(150);
        break;
    case TAxisChange::SameMinMax:
        axis.SetMinMax(100, 0);
        break;
    case TAxisChange::NewMinMaxMaximumOnly:
        axis.SetMinMax(0, 50);
        break;
    case TAxisChange::StoreSame:
        axis.StoreRange(0, 100);
        break;
    case TAxisChange::Scroll:
        axis.Scroll(0);
        break;
    }
    QCOMPARE(c->RedrawPending(), requested);
}

void TestChart::redrawPaintsBackgroundBevelAxesAndTrace() {
    ShownChart c;
    const QImage& p = c->Picture();
    const QRect plot = c->PlotRect();
    QCOMPARE(p.size(), c->size());
    QCOMPARE(QColor(p.pixel(0, 10)), QColor(255, 255, 255));
    QCOMPARE(QColor(p.pixel(10, 0)), QColor(255, 255, 255));
    QCOMPARE(QColor(p.pixel(p.width() - 1, 10)), QColor(160, 160, 160));
    QCOMPARE(QColor(p.pixel(10, p.height() - 1)), QColor(160, 160, 160));
    QCOMPARE(QColor(p.pixel(5, 5)), c->palette().color(QPalette::Window));
    // The axis lines along the plot rectangle's left and bottom edges, under the trace.
    QCOMPARE(QColor(p.pixel(plot.left(), plot.center().y())), QColor(Qt::black));
    QCOMPARE(QColor(p.pixel(plot.right() - 5, plot.bottom())), QColor(Qt::black));
    // The trace's first level, at Y = 0 from X = 0 to X = 1, lies on the bottom edge.
    const int x1 = c->BottomAxis().ValueToPixel(1);
    QCOMPARE(p.pixel((plot.left() + x1) / 2 + 1, plot.bottom()), TraceStyle::Color);
}

void TestChart::tooSmallForItsBandsStillDraws_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("one pixel") << QSize(1, 1);
    QTest::newRow("narrower than the left band") << QSize(30, 200);
    QTest::newRow("lower than the bottom band") << QSize(400, 20);
}

void TestChart::tooSmallForItsBandsStillDraws() {
    QFETCH(QSize, size);
    TChart chart;
    chart.resize(size);
    chart.BottomAxis().StoreRange(0, 255);
    chart.LeftAxis().StoreRange(0, 255);
    for (int i = 0; i < 300; ++i)
        chart.Series().AddY(i % 256);
    QImage image(size, QImage::Format_RGB32);
    chart.Render(image);
    QCOMPARE(chart.FullRedrawCount(), 1);
}

void TestChart::laidOutWithoutAPaint() {
    UnpaintedChart c(QSize(600, 300), 0, 100, 10);
    const QStringList before = Described(c.chart);
    QCOMPARE(before, FreshlyLaidOut(c.chart));
    QImage image(c.chart.size(), QImage::Format_RGB32);
    c.chart.Render(image);
    QCOMPARE(Described(c.chart), before); // the paint drew the layout there was, and kept it
    QCOMPARE(c.chart.TopAxis().StartPixel(), c.chart.PlotRect().left());
    QCOMPARE(c.chart.RightAxis().EndPixel(), c.chart.PlotRect().bottom());
}

void TestChart::keptLayoutFollowsEveryChange_data() {
    QTest::addColumn<TLayoutChange>("change");
    // 0..5 is labelled at whole steps while the trace is short, and more finely past some count.
    QTest::newRow("the trace grows point by point past the short-trace limit")
        << TLayoutChange::TraceGrows;
    QTest::newRow("a zoom") << TLayoutChange::Zoom;
    QTest::newRow("a resize") << TLayoutChange::Resize;
    QTest::newRow("a label increment") << TLayoutChange::Increment;
    QTest::newRow("the bottom axis hidden") << TLayoutChange::BottomHidden;
}

// The layout a chart keeps through a change is the one worked out afresh for the same state.
void TestChart::keptLayoutFollowsEveryChange() {
    QFETCH(TLayoutChange, change);
    UnpaintedChart kept(QSize(1177, 448), 0, 5, 1);
    (void)kept.chart.Layout();
    switch (change) {
    case TLayoutChange::TraceGrows: {
        QSet<QString> labellings;
        for (int i = 0; i < 80; ++i) {
            kept.chart.Series().AddY(i);
            const QStringList described = Described(kept.chart);
            QCOMPARE(described, FreshlyLaidOut(kept.chart));
            labellings << described[3];
        }
        QCOMPARE(labellings.size(), 2); // whole steps, then finer ones
        return;
    }
    case TLayoutChange::Zoom:
        kept.chart.BottomAxis().SetMinMax(-37.5, 217.5);
        kept.chart.LeftAxis().SetMinMax(7.65, 262.65);
        break;
    case TLayoutChange::Resize:
        kept.chart.resize(700, 300);
        break;
    case TLayoutChange::Increment:
        kept.chart.BottomAxis().Increment = 0.5;
        break;
    case TLayoutChange::BottomHidden:
        kept.chart.BottomAxis().Visible = false;
        break;
    }
    QCOMPARE(Described(kept.chart), FreshlyLaidOut(kept.chart));
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
