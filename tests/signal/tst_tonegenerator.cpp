#include "signal/ToneGenerator.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <thread>
#include <vector>

Q_DECLARE_METATYPE(const TWaveTable*)

using std::numbers::pi;

namespace {

constexpr int Block = 480;

struct TRun {
    TToneGenerator generator;
    double rate;

    explicit TRun(double sampleRate, const TWaveTable& table = SinTable, double pitch = 220)
        : rate(sampleRate) {
        generator.SetTable(table);
        generator.SetPitch(pitch);
        generator.SetVolume(1);
        generator.Prepare(sampleRate, Block);
    }

    std::vector<float> Render(double seconds) {
        std::vector<float> out(static_cast<std::size_t>(seconds * rate));
        for (std::size_t i = 0; i < out.size(); i += Block) {
            const std::size_t n = std::min<std::size_t>(Block, out.size() - i);
            generator.Process(std::span<float>(out.data() + i, n));
        }
        return out;
    }

    // Switched on and past the fade-in.
    std::vector<float> Play(double seconds) {
        generator.SetOn(true);
        Render(0.05);
        return Render(seconds);
    }
};

// Peak amplitude of the component at `hertz`, through a Hann window, which keeps the leakage of
// the other harmonics below -100 dB at a spacing of 55 Hz in one second.
double Amplitude(const std::vector<float>& x, double rate, double hertz) {
    std::complex<double> sum = 0;
    double weights = 0;
    const double n = static_cast<double>(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * pi * static_cast<double>(i) / n);
        sum += w * x[i] * std::polar(1.0, -2 * pi * hertz * static_cast<double>(i) / rate);
        weights += w;
    }
    return 2 * std::abs(sum) / weights;
}

// The strongest frequency near `guess`: a scan at a quarter of the Hann window's main lobe, then
// golden-section search on the peak.
double PeakFrequency(const std::vector<float>& x, double rate, double guess) {
    double best = guess;
    double bestAmplitude = Amplitude(x, rate, guess);
    for (double f = guess * 0.99; f <= guess * 1.01; f += 0.5) {
        const double a = Amplitude(x, rate, f);
        if (a > bestAmplitude) {
            best = f;
            bestAmplitude = a;
        }
    }
    const double g = (std::sqrt(5.0) - 1) / 2;
    double lo = best - 0.5, hi = best + 0.5;
    while (hi - lo > 1e-3) {
        const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
        if (Amplitude(x, rate, a) > Amplitude(x, rate, b))
            hi = b;
        else
            lo = a;
    }
    return (lo + hi) / 2;
}

double Db(double ratio) {
    return 20 * std::log10(ratio);
}

// The largest change from one sample to the next, counting from `previous`, the sample before x.
double LargestJump(const std::vector<float>& x, float previous) {
    double jump = 0;
    for (float v : x) {
        jump = std::max(jump, std::abs(double(v) - double(previous)));
        previous = v;
    }
    return jump;
}

// SIN upside down: switching to it without a fade jumps by up to the whole swing.
TWaveTable InvertedSine() {
    TWaveTable t;
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<Sample>(255 - SinTable[i]);
    return t;
}

} // namespace

class TestToneGenerator : public QObject {
    Q_OBJECT
private slots:
    void fundamentalIsThePitch_data();
    void fundamentalIsThePitch();
    void squareHasOddHarmonicsOnly_data();
    void squareHasOddHarmonicsOnly();
    void filteredSineIsClean_data();
    void filteredSineIsClean();
    void noDcOffset_data();
    void noDcOffset();
    void changesDoNotClick_data();
    void changesDoNotClick();
    void offIsSilentSoon_data();
    void offIsSilentSoon();
    void tableHandoffNeverTears();
};

void TestToneGenerator::fundamentalIsThePitch_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<QList<double>>("pitches");
    QTest::addColumn<double>("expected");
    for (double rate : {44100.0, 48000.0}) {
        for (double pitch : {55.0, 220.0, 1000.0, 1760.0})
            QTest::addRow("%g Hz at %g", pitch, rate) << rate << QList<double>{pitch} << pitch;
        QTest::addRow("above the range plays 1760 Hz, at %g", rate)
            << rate << QList<double>{1e9} << 1760.0;
        QTest::addRow("NaN keeps 440 Hz, at %g", rate)
            << rate << QList<double>{440, std::nan("")} << 440.0;
    }
}

void TestToneGenerator::fundamentalIsThePitch() {
    QFETCH(double, rate);
    QFETCH(QList<double>, pitches);
    QFETCH(double, expected);
    TRun run(rate);
    for (double p : pitches)
        run.generator.SetPitch(p);
    const std::vector<float> x = run.Play(1.0);
    const double f = PeakFrequency(x, rate, expected);
    qInfo("%.4f Hz, %.5f %% off", f, 100 * std::abs(f - expected) / expected);
    QVERIFY2(std::abs(f - expected) < 0.005 * expected,
             qPrintable(QString("fundamental at %1 Hz, pitch %2 Hz").arg(f).arg(expected)));
}

void TestToneGenerator::squareHasOddHarmonicsOnly_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("pitch");
    for (double rate : {44100.0, 48000.0})
        for (double pitch : {55.0, 220.0, 1760.0})
            QTest::addRow("%g Hz at %g", pitch, rate) << rate << pitch;
}

// Odd harmonics at 1/n, less the mean over a sample's interval, which weighs a frequency f by
// sinc(f / rate); even ones at least 30 dB below their odd neighbours.
void TestToneGenerator::squareHasOddHarmonicsOnly() {
    QFETCH(double, rate);
    QFETCH(double, pitch);
    TRun run(rate, SqrTable, pitch);
    const std::vector<float> x = run.Play(1.0);
    const auto level = [&](int h) {
        return Db(Amplitude(x, rate, h * pitch) / Amplitude(x, rate, pitch));
    };
    const auto droop = [&](int h) {
        const double u = pi * h * pitch / rate;
        return Db(std::sin(u) / u);
    };
    for (int h = 3; h <= 9 && h * pitch < rate / 2; h += 2)
        QVERIFY2(std::abs(level(h) - (Db(1.0 / h) + droop(h) - droop(1))) < 0.2,
                 qPrintable(QString("harmonic %1 at %2 dB").arg(h).arg(level(h))));
    for (int h = 2; h <= 10 && (h + 1) * pitch < rate / 2; h += 2) {
        const double odd = std::min(level(h - 1), level(h + 1));
        QVERIFY2(level(h) < odd - 30,
                 qPrintable(QString("harmonic %1 at %2 dB, odd neighbours down to %3 dB")
                                .arg(h)
                                .arg(level(h))
                                .arg(odd)));
    }
}

void TestToneGenerator::filteredSineIsClean_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("pitch");
    for (double rate : {44100.0, 48000.0})
        for (double pitch : {55.0, 220.0, 1760.0})
            QTest::addRow("%g Hz at %g", pitch, rate) << rate << pitch;
}

void TestToneGenerator::filteredSineIsClean() {
    QFETCH(double, rate);
    QFETCH(double, pitch);
    TRun run(rate, SinTable, pitch);
    run.generator.SetThroughFilter(true);
    run.generator.SetCutoff(0.1);
    const std::vector<float> x = run.Play(1.0);
    const double fundamental = Amplitude(x, rate, pitch);
    QVERIFY(std::abs(fundamental - 0.5) < 0.01);
    for (int h : {2, 3}) {
        const double level = Db(Amplitude(x, rate, h * pitch) / fundamental);
        qInfo("harmonic %d at %.1f dB", h, level);
        QVERIFY2(level < -40, qPrintable(QString("harmonic %1 at %2 dB").arg(h).arg(level)));
    }
}

void TestToneGenerator::noDcOffset_data() {
    QTest::addColumn<const TWaveTable*>("table");
    QTest::addColumn<bool>("filtered");
    for (bool filtered : {false, true}) {
        QTest::addRow("ECG%s", filtered ? " filtered" : "") << &EcgTable << filtered;
        QTest::addRow("SQR%s", filtered ? " filtered" : "") << &SqrTable << filtered;
    }
}

// The speaker sees the table around its own mean: ECG, whose mean is 77, plays without an offset
// and within full scale.
void TestToneGenerator::noDcOffset() {
    QFETCH(const TWaveTable*, table);
    QFETCH(bool, filtered);
    TRun run(48000, *table, 187.5);
    run.generator.SetThroughFilter(filtered);
    const std::vector<float> x = run.Play(2.0); // 375 whole periods
    double sum = 0;
    for (float v : x)
        sum += v;
    QVERIFY2(std::abs(sum / double(x.size())) < 1e-4,
             qPrintable(QString("mean %1").arg(sum / double(x.size()))));
    const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
    QVERIFY(*lo > -1 && *hi < 1);
}

enum class Change { Pitch, Table, Off, Volume, FilterIn, FilterOut, Cutoff };
Q_DECLARE_METATYPE(Change)

void TestToneGenerator::changesDoNotClick_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<double>("cutoff");
    // Where in SIN's period the change comes: at the crest the tables differ most, at the zero
    // crossing the filtered output lags the stairs most.
    QTest::addColumn<double>("phase");
    QTest::newRow("pitch 220 to 880 Hz") << Change::Pitch << 0.1 << 0.25;
    QTest::newRow("SIN to SIN upside down") << Change::Table << 0.1 << 0.25;
    QTest::newRow("Listen off") << Change::Off << 0.1 << 0.25;
    QTest::newRow("volume 0.1 to 1") << Change::Volume << 0.1 << 0.25;
    QTest::newRow("through the filter") << Change::FilterIn << 0.05 << 0.0;
    QTest::newRow("back to the stairs") << Change::FilterOut << 0.05 << 0.0;
    QTest::newRow("cutoff 0.5 to 0.05") << Change::Cutoff << 0.5 << 0.0;
}

// SIN at full volume moves by up to 0.02 a sample at 220 Hz. A change ramps over 10 ms (480
// samples), so it adds at most the swing it crosses (up to 1) / 480 a sample to the larger of the
// two waveforms' own steepness; 10 % is left for rounding. Without the ramps these changes jump by
// 0.05 (the filter's lag at cutoff 0.05) to 1 (the upside-down table), and a phase reset by 0.5.
void TestToneGenerator::changesDoNotClick() {
    QFETCH(Change, change);
    QFETCH(double, cutoff);
    QFETCH(double, phase);
    const double rate = 48000;
    TRun run(rate);
    run.generator.SetThroughFilter(change == Change::FilterOut || change == Change::Cutoff);
    run.generator.SetCutoff(cutoff);
    run.generator.SetVolume(change == Change::Volume ? 0.1 : 1);
    const std::vector<float> steady = run.Play(0.1);
    const double before = LargestJump(steady, steady.front());
    // 0.15 s so far, 33 whole periods.
    float last = steady.back();
    if (phase > 0)
        last = run.Render(phase / 220).back();

    switch (change) {
    case Change::Pitch:
        run.generator.SetPitch(880);
        break;
    case Change::Table:
        run.generator.SetTable(InvertedSine());
        break;
    case Change::Off:
        run.generator.SetOn(false);
        break;
    case Change::Volume:
        run.generator.SetVolume(1);
        break;
    case Change::FilterIn:
        run.generator.SetThroughFilter(true);
        break;
    case Change::FilterOut:
        run.generator.SetThroughFilter(false);
        break;
    case Change::Cutoff:
        run.generator.SetCutoff(0.05);
        break;
    }
    const std::vector<float> changing = run.Render(0.05);
    const double during = LargestJump(changing, last);
    const double after = LargestJump(run.Render(0.1), changing.back());
    const double bound = 1.1 * std::max(before, after) + 1.0 / (TToneGenerator::RampSeconds * rate);
    QVERIFY2(during <= bound, qPrintable(QString("jump %1 during the change, %2 before, %3 after")
                                             .arg(during)
                                             .arg(before)
                                             .arg(after)));
}

void TestToneGenerator::offIsSilentSoon_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<bool>("filtered");
    for (double rate : {44100.0, 48000.0})
        for (bool filtered : {false, true})
            QTest::addRow("%g%s", rate, filtered ? " filtered" : "") << rate << filtered;
}

// Listen off: exact zeros after the fade, long before 0.2 s, and the generator says so.
void TestToneGenerator::offIsSilentSoon() {
    QFETCH(double, rate);
    QFETCH(bool, filtered);
    TRun run(rate, SqrTable);
    run.generator.SetThroughFilter(filtered);
    run.Play(0.2);
    QVERIFY(!run.generator.Silent());
    run.generator.SetOn(false);
    const std::vector<float> x = run.Render(0.2);
    const auto lastSound = std::find_if(x.rbegin(), x.rend(), [](float v) { return v != 0; });
    const double silentAfter = double(x.rend() - lastSound) / rate;
    qInfo("silent after %.1f ms", 1000 * silentAfter);
    QVERIFY(silentAfter <= TToneGenerator::RampSeconds + 32 / rate);
    QVERIFY(run.generator.Silent());
    run.generator.SetOn(true);
    QVERIFY(!run.generator.Silent());
}

// Tables cross threads whole: a producer publishes tables filled with one counter value each while
// the consumer takes them; every table taken is uniform and newer than the last.
void TestToneGenerator::tableHandoffNeverTears() {
    using TTable = std::array<int, 256>;
    TLatestValue<TTable> handoff;
    constexpr int Last = 200000;
    std::thread producer([&] {
        TTable t;
        for (int i = 1; i <= Last; ++i) {
            t.fill(i);
            handoff.Publish(t);
        }
    });
    int seen = 0;
    bool torn = false, backwards = false;
    while (seen != Last) {
        if (const TTable* t = handoff.Take()) {
            torn |= std::any_of(t->begin(), t->end(), [&](int v) { return v != (*t)[0]; });
            backwards |= (*t)[0] <= seen;
            seen = (*t)[0];
        }
    }
    producer.join();
    QVERIFY(!torn);
    QVERIFY(!backwards);
}

QTEST_APPLESS_MAIN(TestToneGenerator)
#include "tst_tonegenerator.moc"
