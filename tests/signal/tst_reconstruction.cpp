#include "signal/Harmonics.h"
#include "signal/Reconstruction.h"

#include <QTest>
#include <cmath>
#include <complex>
#include <numbers>

Q_DECLARE_METATYPE(const TWaveTable*)

using std::numbers::pi;

namespace {

// The textbook step response of a second-order low-pass with damping zeta and natural frequency
// wn (rad per step), in its amplitude-phase form, and its derivative.
constexpr double Zeta = 1 / std::numbers::sqrt2;

double StepResponse(double wn, double t) {
    const double root = std::sqrt(1 - Zeta * Zeta);
    return 1 - std::exp(-Zeta * wn * t) / root * std::sin(wn * root * t + std::acos(Zeta));
}

double StepSlope(double wn, double t) {
    const double root = std::sqrt(1 - Zeta * Zeta);
    return wn / root * std::exp(-Zeta * wn * t) * std::sin(wn * root * t);
}

// Simpson's rule on the closed form, fine enough to be exact for the test.
double StepIntegral(double wn, double t) {
    const int n = 20000;
    const double h = t / n;
    double sum = StepResponse(wn, 0) + StepResponse(wn, t);
    for (int i = 1; i < n; ++i)
        sum += (i % 2 ? 4 : 2) * StepResponse(wn, i * h);
    return sum * h / 3;
}

const std::pair<const char*, const TWaveTable*> Tables[] = {
    {"SIN", &SinTable},   {"ECG", &EcgTable}, {"SAW", &SawTable},
    {"RSAW", &RSawTable}, {"TRI", &TriTable}, {"SQR", &SqrTable}};

} // namespace

class TestReconstruction : public QObject {
    Q_OBJECT
private slots:
    void stepResponse_data();
    void stepResponse();
    void gainAtCutoff();
    void steadyStateIsPeriodic();
    void filteredHarmonicsAreStairsTimesGain_data();
    void filteredHarmonicsAreStairsTimesGain();
    void lowerCutoffLowerThd_data();
    void lowerCutoffLowerThd();
};

void TestReconstruction::stepResponse_data() {
    QTest::addColumn<double>("cutoff");
    QTest::addColumn<double>("t");
    for (double cutoff : {0.05, 0.1, 0.5})
        for (double t : {0.3, 1.0, 2.5, 7.0, 20.0})
            QTest::addRow("cutoff %g, %g steps", cutoff, t) << cutoff << t;
}

// From rest, a unit input held for t steps: one stretch of t, and t stretches of one step (or of
// their parts), all land on the closed form, value, slope and integral.
void TestReconstruction::stepResponse() {
    QFETCH(double, cutoff);
    QFETCH(double, t);
    const TReconstructionFilter filter(cutoff);
    const double wn = 2 * pi * cutoff;

    TReconstructionFilter::TState once;
    const double integral = TReconstructionFilter::Advance(filter.Stretch(t), t, 1, once);
    QVERIFY2(
        std::abs(once.output - StepResponse(wn, t)) < 1e-12,
        qPrintable(QString("y = %1, closed form %2").arg(once.output).arg(StepResponse(wn, t))));
    QVERIFY(std::abs(once.slope - StepSlope(wn, t)) < 1e-12);
    QVERIFY2(
        std::abs(integral - StepIntegral(wn, t)) < 1e-9,
        qPrintable(QString("integral %1, closed form %2").arg(integral).arg(StepIntegral(wn, t))));

    TReconstructionFilter::TState stepped;
    double left = t;
    while (left > 0) {
        const double d = std::min(1.0, left);
        TReconstructionFilter::Advance(filter.Stretch(d), d, 1, stepped);
        left -= d;
    }
    QVERIFY(std::abs(stepped.output - once.output) < 1e-12);
    QVERIFY(std::abs(stepped.slope - once.slope) < 1e-12);
}

// The gain formula at the cutoff, and the time-domain filter measured there: with the cutoff at
// 1/8 of the step rate, SAW's harmonic 32 sits on it.
void TestReconstruction::gainAtCutoff() {
    const TReconstructionFilter filter(0.125);
    QCOMPARE(20 * std::log10(filter.Gain(0.125)), -10 * std::log10(2.0));
    QVERIFY(std::abs(20 * std::log10(filter.Gain(0.125)) + 3.0103) < 5e-5);

    const TSpectrum stairs = StairsSpectrum(SawTable);
    const TSpectrum filtered = FilteredSpectrum(SawTable, filter);
    QVERIFY(std::abs(filtered.amplitude[32] / stairs.amplitude[32] - 1 / std::numbers::sqrt2) <
            1e-12);
}

void TestReconstruction::steadyStateIsPeriodic() {
    for (const auto& [name, table] : Tables) {
        for (double cutoff : {0.05, 0.5}) {
            const TReconstruction r(*table, cutoff);
            auto state = r.StepStates()[255];
            TReconstructionFilter::Advance(r.Filter().Stretch(1), 1, (*table)[255], state);
            QVERIFY2(std::abs(state.output - r.StepStates()[0].output) < 1e-9 &&
                         std::abs(state.slope - r.StepStates()[0].slope) < 1e-9,
                     qPrintable(QString("%1 at cutoff %2 does not come back to its start")
                                    .arg(name)
                                    .arg(cutoff)));
            QCOMPARE(r.At(256), r.At(0));
        }
    }
}

void TestReconstruction::filteredHarmonicsAreStairsTimesGain_data() {
    QTest::addColumn<const TWaveTable*>("table");
    QTest::addColumn<double>("cutoff");
    for (const auto& [name, table] : Tables)
        for (double cutoff : {0.05, 0.125, 0.5})
            QTest::addRow("%s cutoff %g", name, cutoff) << table << cutoff;
}

// The curve the lab draws, sampled 64 times a step and taken apart by a plain DFT, has the stairs'
// harmonics times |H|. The samples alias only harmonics beyond 16000, which the filter has made
// negligible.
void TestReconstruction::filteredHarmonicsAreStairsTimesGain() {
    QFETCH(const TWaveTable*, table);
    QFETCH(double, cutoff);
    const int perStep = 64;
    const TReconstruction r(*table, cutoff);
    const std::vector<double> curve = r.Curve(perStep);
    QCOMPARE(curve.size(), std::size_t(256 * perStep));

    const TSpectrum stairs = StairsSpectrum(*table);
    const double reference = stairs.amplitude[1];
    for (int m = 1; m <= TSpectrum::ShownHarmonics; ++m) {
        std::complex<double> bin = 0;
        for (std::size_t i = 0; i < curve.size(); ++i)
            bin += curve[i] * std::polar(1.0, -2 * pi * m * double(i) / double(curve.size()));
        const double measured = 2 * std::abs(bin) / double(curve.size());
        const double expected = stairs.amplitude[m] * r.Filter().Gain(m / 256.0);
        QVERIFY2(std::abs(measured - expected) < 1e-7 * reference,
                 qPrintable(QString("harmonic %1: measured %2, stairs x gain %3")
                                .arg(m)
                                .arg(measured, 0, 'g', 10)
                                .arg(expected, 0, 'g', 10)));
    }
}

void TestReconstruction::lowerCutoffLowerThd_data() {
    QTest::addColumn<const TWaveTable*>("table");
    for (const auto& [name, table] : Tables)
        QTest::newRow(name) << table;
}

void TestReconstruction::lowerCutoffLowerThd() {
    QFETCH(const TWaveTable*, table);
    double previous = *StairsSpectrum(*table).thdPercent;
    QString figures = QString("stairs %1 %").arg(previous, 0, 'f', 4);
    for (double cutoff : {0.5, 0.25, 0.1, 0.05}) {
        const double thd = *FilteredSpectrum(*table, TReconstructionFilter(cutoff)).thdPercent;
        figures += QString(", %1: %2 %").arg(cutoff).arg(thd, 0, 'f', 4);
        QVERIFY2(thd < previous, qPrintable(figures));
        previous = thd;
    }
    qInfo("%s", qPrintable(figures));
}

QTEST_APPLESS_MAIN(TestReconstruction)
#include "tst_reconstruction.moc"
