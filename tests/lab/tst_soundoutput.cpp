#include "lab/SoundOutput.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Each case runs in a process of its own (see tests/CMakeLists.txt): which sound server Qt talks
// to is decided once per process, from the environment.
class TestSoundOutput : public QObject {
    Q_OBJECT
private slots:
    void withoutServer();
    void onPrivateServer();
};

// No server to be reached: the output says so in words, Listen stays off, and neither the
// constructor nor Listen waits for anything.
void TestSoundOutput::withoutServer() {
    QVERIFY2(qEnvironmentVariable("PULSE_SERVER").startsWith("unix:/nonexistent"),
             "run by CTest with PULSE_SERVER pointing nowhere");
    TSoundOutput output;
    QSignalSpy changed(&output, &TSoundOutput::StatusChanged);
    QCOMPARE(output.Status(), TSoundOutput::TStatus::Probing);
    QTRY_COMPARE(output.Status(), TSoundOutput::TStatus::Unavailable);
    QCOMPARE(changed.count(), 1);
    QVERIFY(output.UnavailableReason().startsWith("No sound output"));
    output.SetListening(true);
    QVERIFY(!output.Listening());
    QVERIFY(!output.Playing());
}

namespace {

// A PulseAudio server of the test's own, with one null sink, in a temporary folder.
class TPrivateServer {
public:
    explicit TPrivateServer(const QString& pulseaudio) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_RUNTIME_DIR", "PULSE_RUNTIME_PATH", "HOME"})
            env.insert(name, fDir.path());
        fProcess.setProcessEnvironment(env);
        fProcess.setProcessChannelMode(QProcess::MergedChannels);
        fProcess.start(pulseaudio,
                       {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                        "--load=module-native-protocol-unix auth-anonymous=1 socket=" + Socket(),
                        "--load=module-null-sink sink_name=lab"});
    }
    ~TPrivateServer() {
        fProcess.terminate();
        fProcess.waitForFinished(5000);
    }
    QString Socket() const { return fDir.filePath("native"); }
    bool Running() const { return fProcess.state() != QProcess::NotRunning; }

private:
    QTemporaryDir fDir;
    QProcess fProcess;
};

} // namespace

// A second of Listen and more reaches the server without an underrun, also while this (the
// interface) thread is busy for longer than the stream's buffer; Listen off closes the stream.
void TestSoundOutput::onPrivateServer() {
    const QString pulseaudio = QStandardPaths::findExecutable("pulseaudio");
    if (pulseaudio.isEmpty())
        QSKIP("pulseaudio is not installed");
    TPrivateServer server(pulseaudio);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(server.Socket()) || !server.Running(), 10000);
    QVERIFY(server.Running());
    qputenv("PULSE_SERVER", "unix:" + server.Socket().toUtf8());

    TSoundOutput output;
    QTRY_COMPARE(output.Status(), TSoundOutput::TStatus::Ready);
    QVERIFY(output.SampleRate() > 0);
    output.SetListening(true);
    // A null sink starts to play a new stream up to two seconds late, then catches up.
    QTRY_VERIFY_WITH_TIMEOUT(output.FramesWritten() >= output.SampleRate() / 2, 5000);

    // Longer than the buffer: fed from this thread, the stream would run dry here.
    QElapsedTimer busy;
    busy.start();
    while (busy.elapsed() < 300) {
    }
    QTRY_VERIFY_WITH_TIMEOUT(output.FramesWritten() >= 3 * output.SampleRate() / 2, 5000);
    QCOMPARE(output.Underruns(), 0);

    output.SetListening(false);
    QTRY_VERIFY(output.Generator().Silent());
    QTRY_VERIFY(!output.Playing());
    QCOMPARE(output.Underruns(), 0);
}

QTEST_GUILESS_MAIN(TestSoundOutput)
#include "tst_soundoutput.moc"
