// What Listen costs, alone and while the main window works: the window idle and stepping at 100
// steps a second on a chart 10,000 points wide and nearly full, each without sound and with the
// signal lab's sound output playing SQR through the filter. Prints steps per second, the share of
// one core the process uses in each run, and the sound's underruns. A plain Qt program on the
// offscreen platform; it plays on the default sound output, so run it where one exists.
#include "lab/SoundOutput.h"
#include "ui/CheckBox.h"
#include "ui/IntervalTimer.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace {

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

void RunEventLoopFor(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

struct TMeasured {
    double stepsPerSecond;
    double cpuPercent;
};

TMeasured Run(TForm1& form, long long& steps, bool stepping, double seconds) {
    const long long stepsBefore = steps;
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    form.cbAuto->SetChecked(stepping);
    RunEventLoopFor(seconds);
    form.cbAuto->SetChecked(false);
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    return {double(steps - stepsBefore) / elapsed, 100 * (CpuSeconds() - cpuBefore) / elapsed};
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication application(argc, argv);
    double seconds = 60;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i)
        if (arguments[i] == QLatin1String("--seconds"))
            seconds = arguments[i + 1].toDouble();

    TSoundOutput sound;
    while (sound.Status() == TSoundOutput::TStatus::Probing)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    if (sound.Status() != TSoundOutput::TStatus::Ready) {
        std::printf("%s\n", qPrintable(sound.UnavailableReason()));
        return 1;
    }

    TForm1 form;
    form.show();
    while (!form.windowHandle() || !form.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    form.TrackBar2->SetPosition(10000);
    form.TrackBar1->SetPosition(491); // 10 ms: 100 steps a second
    for (int i = 0; i < 9000; ++i)
        form.Button1Click(form.Button1);
    long long steps = 0;
    auto step = form.Timer1->OnTimer;
    form.Timer1->OnTimer = [&steps, step](QObject* Sender) {
        ++steps;
        step(Sender);
    };

    std::printf("each run %.0f s, width 10000, 9000 points first, %d Hz output\n", seconds,
                sound.SampleRate());
    std::fflush(stdout);
    const TMeasured idle = Run(form, steps, false, seconds);
    const TMeasured quiet = Run(form, steps, true, seconds);

    sound.Generator().SetTable(SqrTable);
    sound.Generator().SetThroughFilter(true);
    sound.Generator().SetCutoff(0.1);
    sound.SetListening(true);
    const TMeasured alone = Run(form, steps, false, seconds);
    const int underrunsAlone = sound.Underruns();
    const qint64 framesBefore = sound.FramesWritten();
    const TMeasured listening = Run(form, steps, true, seconds);
    const qint64 frames = sound.FramesWritten() - framesBefore;
    sound.SetListening(false);

    std::printf("window idle:              cpu=%.1f%%\n", idle.cpuPercent);
    std::printf("window idle, Listen:      cpu=%.1f%% underruns=%d\n", alone.cpuPercent,
                underrunsAlone);
    std::printf("stepping:                 steps/s=%.1f cpu=%.1f%%\n", quiet.stepsPerSecond,
                quiet.cpuPercent);
    std::printf("stepping, Listen:         steps/s=%.1f cpu=%.1f%% underruns=%d sound=%.2f s\n",
                listening.stepsPerSecond, listening.cpuPercent, sound.Underruns() - underrunsAlone,
                double(frames) / sound.SampleRate());
    return 0;
}
