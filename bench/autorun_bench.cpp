// Automatic stepping of the real window, on the offscreen platform unless QT_QPA_PLATFORM names
// another: steps, full and partial chart redraws per second, and the share of one core the process
// uses for them. --window WxH gives the window that size instead of the layout's (the density is
// the screen's: QT_FONT_DPI on the offscreen platform, Xft.dpi on X; bench/autorun-x runs it in
// a real X window). With --soak SECONDS it steps for that long instead and reports how resident
// memory changes meanwhile.
#include "chart/Chart.h"
#include "chart/Series.h"
#include "ui/CheckBox.h"
#include "ui/IntervalTimer.h"
#include "ui/TrackBar.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <functional>
#include <unistd.h>

namespace {

struct Setting {
    int width;        // chart width slider
    bool autoClear;   // Auto Clear
    int pointsBefore; // steps made by hand before stepping starts
};

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double ResidentMiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0
                             : -1;
}

double TraceKiB(const TChartSeries& series) {
    return double(series.XValues().Capacity() + series.YValues().Capacity()) * sizeof(double) /
           1024.0;
}

void RunEventLoopFor(double seconds, const std::function<void()>& everyMinute = {}) {
    QEventLoop loop;
    QTimer minute;
    if (everyMinute) {
        QObject::connect(&minute, &QTimer::timeout, everyMinute);
        minute.start(60000);
    }
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// The window's size, where it is not the layout's.
QSize WindowSize;

void WaitUntil(const std::function<bool()>& done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

// The window at the given setting, shown, with stepping started at the fastest speed.
struct Run {
    TForm1 form;
    long long steps = 0;

    explicit Run(const Setting& setting) {
        form.show();
        WaitUntil([this] { return form.windowHandle() && form.windowHandle()->isExposed(); });
        if (WindowSize.isValid()) {
            form.resize(WindowSize);
            WaitUntil([this] { return form.size() == WindowSize; });
        }
        form.cbAutoClear->SetChecked(setting.autoClear);
        form.TrackBar2->SetPosition(setting.width);
        form.TrackBar1->SetPosition(500);
        for (int i = 0; i < setting.pointsBefore; ++i)
            form.Button1Click(form.Button1);
        QCoreApplication::processEvents();
        auto step = form.Timer1->OnTimer;
        form.Timer1->OnTimer = [this, step](QObject* Sender) {
            ++steps;
            step(Sender);
        };
    }
};

QString Measure(const Setting& setting, double seconds) {
    Run run(setting);
    const TChart& chart = *run.form.Chart1;
    const long long redrawsBefore = chart.FullRedrawCount();
    const long long partialBefore = chart.PartialRedrawCount();
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    run.form.cbAuto->SetChecked(true);
    RunEventLoopFor(seconds);
    run.form.cbAuto->SetChecked(false);
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    const double cpu = CpuSeconds() - cpuBefore;
    const long long redraws = chart.FullRedrawCount() - redrawsBefore;
    const long long partial = chart.PartialRedrawCount() - partialBefore;
    return QStringLiteral("window %1x%2, chart %3x%4: steps/s=%5 redraws/s=%6 partial/s=%7 "
                          "cpu=%8%")
        .arg(run.form.width())
        .arg(run.form.height())
        .arg(chart.width())
        .arg(chart.height())
        .arg(double(run.steps) / elapsed, 0, 'f', 1)
        .arg(double(redraws) / elapsed, 0, 'f', 1)
        .arg(double(partial) / elapsed, 0, 'f', 1)
        .arg(100.0 * cpu / elapsed, 0, 'f', 1);
}

void Soak(const Setting& setting, double seconds) {
    Run run(setting);
    const double residentBefore = ResidentMiB();
    std::printf("soak: %.0f s, width %d, Auto Clear %s\n", seconds, setting.width,
                setting.autoClear ? "on" : "off");
    std::printf("resident at start %.1f MiB, trace %d points in %.0f KiB\n", residentBefore,
                run.form.Series1->Count(), TraceKiB(*run.form.Series1));
    std::fflush(stdout);
    QElapsedTimer wall;
    wall.start();
    const auto report = [&] {
        std::printf("after %4.0f s: resident %.1f MiB, %lld steps, trace %d points in %.0f KiB\n",
                    double(wall.elapsed()) / 1000.0, ResidentMiB(), run.steps,
                    run.form.Series1->Count(), TraceKiB(*run.form.Series1));
        std::fflush(stdout);
    };
    run.form.cbAuto->SetChecked(true);
    RunEventLoopFor(seconds, report);
    run.form.cbAuto->SetChecked(false);
    report();
    std::printf("resident at end %.1f MiB (growth %.1f MiB; the trace's storage is at most "
                "%.0f KiB)\n",
                ResidentMiB(), ResidentMiB() - residentBefore,
                2.0 * 11000 * sizeof(double) / 1024.0);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication application(argc, argv);

    double seconds = 10;
    double soak = 0;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--seconds"))
            seconds = arguments[i + 1].toDouble();
        else if (arguments[i] == QLatin1String("--soak"))
            soak = arguments[i + 1].toDouble();
        else if (arguments[i] == QLatin1String("--window")) {
            const QStringList size = arguments[i + 1].split(QLatin1Char('x'));
            if (size.size() == 2)
                WindowSize = QSize(size[0].toInt(), size[1].toInt());
            if (WindowSize.isEmpty()) {
                std::fprintf(stderr, "--window wants WIDTHxHEIGHT\n");
                return 2;
            }
        }
    }

    // The widest chart, holding 9000 points to begin with and up to 10,000 while it runs; then
    // the layout's width with the chart emptying itself at the right edge.
    const Setting wide{10000, false, 9000};
    const Setting narrow{255, true, 0};
    if (soak > 0) {
        Soak(wide, soak);
        return 0;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    std::printf("platform %s, screen %dx%d at %.0f dpi\n",
                qPrintable(QGuiApplication::platformName()), screen->size().width(),
                screen->size().height(), screen->logicalDotsPerInch());
    std::printf("each run %.0f s at slider position 500\n", seconds);
    std::printf("first: width 10000, Auto Clear off, 9000 points first\n");
    std::printf("second: width 255, Auto Clear on\n");
    std::fflush(stdout);
    const QString first = Measure(wide, seconds);
    const QString second = Measure(narrow, seconds);
    std::printf("%s\n%s\n", qPrintable(first), qPrintable(second));
    return 0;
}
