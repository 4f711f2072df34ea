// What Listen costs, alone and while the main window works: the window idle and stepping at 100
// steps a second on a chart 10,000 points wide and kept nearly full (9,000 points and more; it
// is refilled every 10 s, since Auto Clear empties it at 10,001), each without sound and with the
// signal lab open beside it, playing SQR through the filter. Prints steps per second, the share of
// one core the process uses in each run, and the sound's underruns. A plain Qt program on the
// offscreen platform; it plays on the default sound output, so run it where one exists.
#include "lab/LabWindow.h"
#include "lab/SignalLab.h"
#include "lab/SoundOutput.h"
#include "ui/CheckBox.h"
#include "ui/IntervalTimer.h"
#include "ui/RadioButton.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>
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

// Fills the chart to 9,000 points of the current table, as 9,000 presses of "+1" would.
void Refill(TForm1& form) {
    form.btnClearChartClick(form.btnClearChart);
    for (int i = 0; i < 9000; ++i)
        form.Button1Click(form.Button1);
}

TMeasured Run(TForm1& form, long long& steps, bool stepping, double seconds) {
    // 1,000 steps from 9,000 points reach the chart's 10,000.
    constexpr double RefillSeconds = 10;
    const long long stepsBefore = steps;
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    for (double left = seconds; left > 0; left -= RefillSeconds) {
        if (stepping)
            Refill(form);
        form.cbAuto->SetChecked(stepping);
        RunEventLoopFor(std::min(left, RefillSeconds));
        form.cbAuto->SetChecked(false);
    }
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

    TForm1 form;
    form.show();
    while (!form.windowHandle() || !form.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    auto* lab = new TSignalLab(form);
    lab->Toggle();
    TSoundOutput& sound = lab->Window()->Sound();
    while (sound.Status() == TSoundOutput::TStatus::Probing)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    if (sound.Status() != TSoundOutput::TStatus::Ready) {
        std::printf("%s\n", qPrintable(sound.UnavailableReason()));
        return 1;
    }
    const auto labCheckBox = [lab](const char* name) {
        return lab->Window()->findChild<QCheckBox*>(QString::fromLatin1(name));
    };
    // As a user does: SQR in the main window, which the lab follows, its filter at 0.1.
    form.rbSqr->setChecked(true);
    labCheckBox("Through the filter")->setChecked(true);
    form.TrackBar2->SetPosition(10000);
    form.TrackBar1->SetPosition(491); // 10 ms: 100 steps a second
    long long steps = 0;
    auto step = form.Timer1->OnTimer;
    form.Timer1->OnTimer = [&steps, step](QObject* Sender) {
        ++steps;
        step(Sender);
    };

    std::printf("each run %.0f s, width 10000, 9000 points and more, %d Hz output\n", seconds,
                sound.SampleRate());
    std::fflush(stdout);
    const TMeasured idle = Run(form, steps, false, seconds);
    const TMeasured quiet = Run(form, steps, true, seconds);

    labCheckBox("Listen")->setChecked(true);
    const TMeasured alone = Run(form, steps, false, seconds);
    const int underrunsAlone = sound.Underruns();
    const qint64 framesBefore = sound.FramesWritten();
    const TMeasured listening = Run(form, steps, true, seconds);
    const qint64 frames = sound.FramesWritten() - framesBefore;
    labCheckBox("Listen")->setChecked(false);

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
