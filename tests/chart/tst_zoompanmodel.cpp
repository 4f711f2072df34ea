// The zoom and pan model on its own: what is saved, how it comes back, and the axes nothing shows.
#include "chart/ZoomPan.h"

#include <QTest>

namespace {
// Four axes laid out on a 1000 × 500 pixel plot rectangle at (100, 20).
struct Axes {
    TChartAxis bottom{TChartAxis::TOrientation::Horizontal};
    TChartAxis top{TChartAxis::TOrientation::Horizontal};
    TChartAxis left{TChartAxis::TOrientation::Vertical};
    TChartAxis right{TChartAxis::TOrientation::Vertical};
    TZoomPan zoomPan{bottom, top, left, right};
    Axes() {
        bottom.StoreRange(0, 255);
        left.StoreRange(0, 255);
        for (TChartAxis* axis : {&bottom, &top})
            axis->SetPixelRange(100, 1100);
        for (TChartAxis* axis : {&left, &right})
            axis->SetPixelRange(20, 520);
    }
};
} // namespace

class TestZoomPanModel : public QObject {
    Q_OBJECT
private slots:
    void undoRestoresWithoutTheSettersChecks();
    void hiddenAxesFollowTheShownOnes();
};

void TestZoomPanModel::undoRestoresWithoutTheSettersChecks() {
    Axes a;
    a.bottom.StoreRange(500, 700);
    a.top.Automatic = true;
    a.right.AutomaticMaximum = true;
    a.zoomPan.Zoom(100, 20, 200, 120); // 500..520 and 204..255
    QVERIFY(!a.top.Automatic && !a.right.AutomaticMaximum);
    QCOMPARE(a.bottom.Maximum(), 520.0);
    QCOMPARE(a.left.Minimum(), 204.0);
    // Far to the left of the saved range: restoring the minimum first through the checked setter
    // would be refused.
    a.bottom.SetMinMax(0, 100);
    a.zoomPan.UndoZoom();
    QCOMPARE(a.bottom.Minimum(), 500.0);
    QCOMPARE(a.bottom.Maximum(), 700.0);
    QCOMPARE(a.left.Maximum(), 255.0);
    QVERIFY(a.top.Automatic && a.right.AutomaticMaximum);
    QVERIFY(a.zoomPan.RestoredAxisScales());
    QVERIFY(a.zoomPan.SavedScales().empty());
}

void TestZoomPanModel::hiddenAxesFollowTheShownOnes() {
    Axes a;
    a.top.StoreRange(0, 10);
    a.right.StoreRange(0, 50);
    a.zoomPan.StartPan(600, 300);
    QVERIFY(a.zoomPan.MovePan(500, 400)); // 100 left, 100 down
    QCOMPARE(a.top.Minimum(), 1.0);
    QCOMPARE(a.right.Minimum(), 10.0);
    a.zoomPan.EndPan();
    QCOMPARE(a.zoomPan.Wheel(120), 1);
    QCOMPARE(a.right.Minimum(), 11.5);
    const TAllAxisSavedScales& saved = a.zoomPan.SavedScales();
    QCOMPARE(saved.size(), std::size_t(4)); // bottom, top, left, right
    QCOMPARE(saved[1].Max, 10.0);
    QCOMPARE(saved[3].Max, 50.0);
}

QTEST_APPLESS_MAIN(TestZoomPanModel)
#include "tst_zoompanmodel.moc"
