// Where a window lands when it is first shown: centred on the desktop by its outer size, frame
// included, and only then.
#include "ui/Layout.h"
#include "ui/Placement.h"

#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

class TestPlacement : public QObject {
    Q_OBJECT
private slots:
    void centresTheOuterFrameOnce();
};

void TestPlacement::centresTheOuterFrameOnce() {
    QWidget window;
    new TPlacement(&window);
    window.resize(301, 201); // odd, so that the frame's share of the centring shows
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QWindow* native = window.windowHandle();
    const QRect desktop = native->screen()->virtualGeometry();
    const QMargins frame = native->frameMargins();
    QVERIFY2(frame.top() > 0, "the offscreen platform gives windows a frame");
    QCOMPARE(native->framePosition(), DesktopCentre(desktop, native->frameGeometry().size()));
    QCOMPARE(native->frameGeometry().size(), QSize(301, 201).grownBy(frame));

    // Moved by the user, then hidden and shown again (minimised and restored): it stays.
    const QPoint moved = desktop.topLeft() + QPoint(20, 30);
    window.move(moved);
    QTRY_COMPARE(native->framePosition(), moved);
    window.hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(native->framePosition(), moved);
}

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
