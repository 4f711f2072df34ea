#include "app/CommandLine.h"

#include <QProcess>
#include <QTest>
#include <vector>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
    void programExitsWithoutAWindow_data();
    void programExitsWithoutAWindow();
};

void TestCommandLine::rules_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("openWindow");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QString help = "usage: wawetable [--help | --version]: opens the Quarnel Electronics "
                         "WAWETable simulator, which takes no other arguments\n";
    const auto unknown = [](const QString& arg) {
        return QStringLiteral("wawetable: unknown argument \"%1\"; usage: wawetable [--help | "
                              "--version]\n")
            .arg(arg);
    };
    QTest::newRow("none: the window opens") << QStringList{} << true << 0 << ""
                                            << "";
    QTest::newRow("--help") << QStringList{"--help"} << false << 0 << help << "";
    QTest::newRow("--version") << QStringList{"--version"} << false << 0 << "wawetable 1.2.3\n"
                               << "";
    QTest::newRow("the first of two known ones decides")
        << QStringList{"--version", "--help"} << false << 0 << "wawetable 1.2.3\n"
        << "";
    QTest::newRow("Qt's -reverse is refused")
        << QStringList{"-reverse"} << false << 2 << "" << unknown("-reverse");
    QTest::newRow("Qt's -qwindowtitle is refused")
        << QStringList{"-qwindowtitle", "X"} << false << 2 << "" << unknown("-qwindowtitle");
    QTest::newRow("a stray argument after --help is named")
        << QStringList{"--help", "extra"} << false << 2 << "" << unknown("extra");
    QTest::newRow("a single dash is no abbreviation")
        << QStringList{"-help"} << false << 2 << "" << unknown("-help");
    QTest::newRow("an empty argument") << QStringList{""} << false << 2 << "" << unknown("");
}

void TestCommandLine::rules() {
    QFETCH(QStringList, args);
    QFETCH(bool, openWindow);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    std::vector<QByteArray> bytes;
    for (const QString& arg : args)
        bytes.push_back(arg.toUtf8());
    std::vector<const char*> argv;
    for (const QByteArray& b : bytes)
        argv.push_back(b.constData());

    const TCommandLine result = ReadCommandLine(argv, "1.2.3");
    QCOMPARE(result.openWindow, openWindow);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(QString::fromStdString(result.out), out);
    QCOMPARE(QString::fromStdString(result.err), err);
}

void TestCommandLine::programExitsWithoutAWindow_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("--help") << QStringList{"--help"} << 0 << "usage: wawetable"
                            << "";
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "wawetable " WAWE_VERSION "\n"
                               << "";
    QTest::newRow("-reverse") << QStringList{"-reverse"} << 2 << ""
                              << "wawetable: unknown argument \"-reverse\"";
}

// The built program, under a platform that does not exist: had it created its application object
// it would abort, so a clean exit shows that it never touched the windowing system.
void TestCommandLine::programExitsWithoutAWindow() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "no-such-platform");
    program.setProcessEnvironment(env);
    program.start(WAWE_PROGRAM, args);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QString stdOut = QString::fromUtf8(program.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(program.readAllStandardError());
    // A null string starts with nothing, not even the empty one: compare the beginnings instead.
    QCOMPARE(stdOut.left(out.size()), out);
    QCOMPARE(stdErr.left(err.size()), err);
    // One line, on one stream only.
    QCOMPARE(stdOut.count('\n') + stdErr.count('\n'), 1);
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
