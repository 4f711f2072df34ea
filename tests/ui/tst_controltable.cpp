// The checks that keep the control table and the window's fields together: every field made by
// exactly one row (checked while the table compiles), and every parent made before its children
// (checked when the window is made).
#include "ui/ControlRow.h"

#include <QTest>
#include <cstddef>
#include <stdexcept>
#include <vector>

Q_DECLARE_METATYPE(std::vector<std::size_t>)

namespace {

struct Fields {
    QObject* a;
    QObject* b;
    QObject* c;
};
constexpr std::size_t A = offsetof(Fields, a);
constexpr std::size_t B = offsetof(Fields, b);
constexpr std::size_t C = offsetof(Fields, c);
constexpr std::size_t FieldCount = sizeof(Fields) / sizeof(void*);

} // namespace

class TestControlTable : public QObject {
    Q_OBJECT
private slots:
    void everyFieldMadeOnce_data();
    void everyFieldMadeOnce();
    void aParentMadeAfterItsChildStopsTheStart();
};

void TestControlTable::everyFieldMadeOnce_data() {
    QTest::addColumn<std::vector<std::size_t>>("made");
    QTest::addColumn<std::size_t>("firstWrong");
    QTest::newRow("each once") << std::vector<std::size_t>{A, B, C} << FieldCount;
    QTest::newRow("each once, in another order") << std::vector<std::size_t>{C, A, B} << FieldCount;
    QTest::newRow("b without a row") << std::vector<std::size_t>{A, C} << std::size_t(1);
    QTest::newRow("b twice") << std::vector<std::size_t>{A, B, C, B} << std::size_t(1);
    QTest::newRow("the last without a row") << std::vector<std::size_t>{A, B} << std::size_t(2);
    QTest::newRow("no rows") << std::vector<std::size_t>{} << std::size_t(0);
}

void TestControlTable::everyFieldMadeOnce() {
    QFETCH(std::vector<std::size_t>, made);
    QFETCH(std::size_t, firstWrong);
    QCOMPARE(FirstFieldNotMadeOnce(made, FieldCount), firstWrong);
}

void TestControlTable::aParentMadeAfterItsChildStopsTheStart() {
    const TControlRow rows[] = {
        ROW(Panel2, nullptr, -6, 216, 1183, 501),
        ROW(btnZoom, &TForm1Components::Panel4, 8, 6, 39, 22).Caption("1:1"),
        ROW(Panel4, &TForm1Components::Panel2, 598, 14, 167, 192),
    };
    TForm1Components form;
    QWidget window;
    QString message;
    try {
        MakeControls(form, window, rows);
    } catch (const std::logic_error& error) {
        message = QString::fromUtf8(error.what());
    }
    QCOMPARE(message,
             QStringLiteral("btnZoom: its parent's row must come before it in the control table"));
    QVERIFY(form.Panel2 != nullptr); // the rows before it were made
    QVERIFY(form.btnZoom == nullptr);
}

QTEST_MAIN(TestControlTable)
#include "tst_controltable.moc"
