#include "signal/Harmonics.h"

#include <QTest>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <numeric>

Q_DECLARE_METATYPE(const TWaveTable*)

using std::numbers::pi;
using Amplitude = std::function<double(int m)>;

namespace {

// The held output's Fourier coefficient integrated step by step, with no DFT and no sinc:
// c_m = 1/256 sum_n x_n integral_n^{n+1} e^{-j 2 pi m t / 256} dt.
template <typename TValues> std::complex<double> StairsIntegral(const TValues& x, int m) {
    if (m == 0)
        return std::accumulate(x.begin(), x.end(), 0.0) / 256;
    const double w = 2 * pi * m / 256;
    std::complex<double> sum = 0;
    for (int n = 0; n < 256; ++n) {
        const auto edge = [&](int t) { return std::polar(1.0, -w * t); };
        sum += static_cast<double>(x[n]) * (edge(n) - edge(n + 1)) / std::complex<double>(0, w);
    }
    return sum / 256.0;
}

double Db(double ratio) {
    return 20 * std::log10(ratio);
}

TWaveTable Constant(Sample value) {
    TWaveTable t;
    t.fill(value);
    return t;
}

// SQR twice per period: no fundamental, but a second harmonic.
TWaveTable DoubleSquare() {
    TWaveTable t;
    for (int i = 0; i < 256; ++i)
        t[i] = (i % 128) < 64 ? 0 : 255;
    return t;
}

} // namespace

class TestSpectrum : public QObject {
    Q_OBJECT
private slots:
    void heldHarmonicIsTheStairsIntegral_data();
    void heldHarmonicIsTheStairsIntegral();
    void closedForms_data();
    void closedForms();
    void sineIsItsRounding();
    void withoutFundamental_data();
    void withoutFundamental();
};

void TestSpectrum::heldHarmonicIsTheStairsIntegral_data() {
    QTest::addColumn<const TWaveTable*>("table");
    QTest::addColumn<int>("m");
    const std::pair<const char*, const TWaveTable*> tables[] = {
        {"SIN", &SinTable}, {"ECG", &EcgTable}, {"SAW", &SawTable}, {"TRI", &TriTable}};
    // DC, low harmonics, the images either side of the step rate, the step rate itself (where the
    // hold has a zero) and the last harmonic THD counts.
    for (const auto& [name, table] : tables)
        for (int m : {0, 1, 2, 31, 255, 256, 257, 511, 1024})
            QTest::addRow("%s m=%d", name, m) << table << m;
}

// Magnitude and phase: the lab draws the bars from the one and may draw curves from the other.
void TestSpectrum::heldHarmonicIsTheStairsIntegral() {
    QFETCH(const TWaveTable*, table);
    QFETCH(int, m);
    const std::complex<double> expected = StairsIntegral(*table, m);
    const std::complex<double> got = HeldHarmonic(TableDft(*table), m);
    QVERIFY2(std::abs(got - expected) < 1e-9, qPrintable(QString("got %1%2j, integral %3%4j")
                                                             .arg(got.real())
                                                             .arg(got.imag(), 0, 'g', 12)
                                                             .arg(expected.real())
                                                             .arg(expected.imag(), 0, 'g', 12)));
}

void TestSpectrum::closedForms_data() {
    QTest::addColumn<const TWaveTable*>("table");
    QTest::addColumn<Amplitude>("amplitude");
    QTest::addColumn<double>("dc");

    // Held stairs of a square wave are a square wave: odd harmonics at 4/pi x 255/2 / m.
    QTest::newRow("SQR") << &SqrTable
                         << Amplitude([](int m) { return m % 2 ? 510 / (pi * m) : 0.0; }) << 127.5;
    // A ramp of unit steps held is the continuous sawtooth of height 256 minus a sawtooth at the
    // step rate, whose harmonics are exactly the multiples of 256: 256/pi / m elsewhere.
    const Amplitude saw = [](int m) { return m % 256 ? 256 / (pi * m) : 0.0; };
    QTest::newRow("SAW") << &SawTable << saw << 127.5;
    QTest::newRow("RSAW") << &RSawTable << saw << 127.5;
    // TRI rises by 2 to 254 and falls by 2 from 255; table[n + 128] = 255 - table[n] leaves only
    // odd bins, and summing the two ramps gives X_k = (2 + 6z) / (256 (1 - z)^2), z = e^{-j2pi
    // k/256}.
    QTest::newRow("TRI") << &TriTable << Amplitude([](int m) {
        if (m % 2 == 0)
            return 0.0;
        const double x = static_cast<double>(m) / 256;
        const std::complex<double> z = std::polar(1.0, -2 * pi * x);
        const double bin = std::abs((2.0 + 6.0 * z) / (256.0 * (1.0 - z) * (1.0 - z)));
        return 2 * bin * std::abs(std::sin(pi * x) / (pi * x));
    }) << 127.5;
}

void TestSpectrum::closedForms() {
    QFETCH(const TWaveTable*, table);
    QFETCH(Amplitude, amplitude);
    QFETCH(double, dc);
    const TSpectrum s = StairsSpectrum(*table);
    QCOMPARE(s.dc, dc);
    QVERIFY(s.HasFundamental());
    for (int m = 1; m <= TSpectrum::ShownHarmonics; ++m) {
        QVERIFY2(std::abs(s.amplitude[m] - amplitude(m)) < 1e-9 * amplitude(1),
                 qPrintable(QString("harmonic %1: %2, expected %3")
                                .arg(m)
                                .arg(s.amplitude[m])
                                .arg(amplitude(m))));
        const double level =
            amplitude(m) > 0 ? Db(amplitude(m) / amplitude(1)) : TSpectrum::FloorDb;
        QVERIFY2(
            std::abs(s.levelDb[m] - level) < 1e-6,
            qPrintable(
                QString("harmonic %1: %2 dB, expected %3 dB").arg(m).arg(s.levelDb[m]).arg(level)));
    }
    double distortion = 0;
    for (int m = 2; m <= TSpectrum::CountedHarmonics; ++m)
        distortion += amplitude(m) * amplitude(m);
    QCOMPARE(*s.thdPercent, 100 * std::sqrt(distortion) / amplitude(1));
}

// SIN's stairs have two sources of distortion: the images of a perfect held sine, m = 256 l +- 1,
// at sinc(m / 256) each, and the rounding of every Sample to a byte (floor, and 256 clipped to
// 255). Both are worked out here without the spectrum code; the table's THD is their sum in power,
// up to the small cross terms of the rounding error at the image frequencies.
void TestSpectrum::sineIsItsRounding() {
    const auto sinc = [](double x) { return std::sin(pi * x) / (pi * x); };
    double images = 0;
    for (int m : {255, 257, 511, 513, 767, 769, 1023})
        images += sinc(m / 256.0) * sinc(m / 256.0);
    const double imagesThd = 100 * std::sqrt(images) / sinc(1 / 256.0);

    std::array<double, 256> ideal{};
    std::array<double, 256> error{};
    for (int n = 0; n < 256; ++n) {
        ideal[n] = 128 + 128 * std::sin(2 * pi * n / 256);
        error[n] = SinTable[n] - ideal[n];
    }
    const double fundamental = std::abs(StairsIntegral(ideal, 1));
    double rounding = 0;
    for (int m = 2; m <= TSpectrum::CountedHarmonics; ++m)
        rounding += std::norm(StairsIntegral(error, m));
    const double roundingThd = 100 * std::sqrt(rounding) / fundamental;

    const double thd = *StairsSpectrum(SinTable).thdPercent;
    qInfo("SIN stairs THD %.4f %%: images of the held sine %.4f %%, 8-bit rounding %.4f %%", thd,
          imagesThd, roundingThd);
    QVERIFY2(std::abs(thd - std::hypot(imagesThd, roundingThd)) < 0.01 * thd,
             qPrintable(QString("THD %1 %, images and rounding give %2 %")
                            .arg(thd)
                            .arg(std::hypot(imagesThd, roundingThd))));
}

void TestSpectrum::withoutFundamental_data() {
    QTest::addColumn<TWaveTable>("table");
    QTest::addColumn<double>("dc");
    QTest::addColumn<int>("strongest");
    QTest::newRow("constant") << Constant(100) << 100.0 << 0;
    QTest::newRow("all zero") << Constant(0) << 0.0 << 0;
    QTest::newRow("two periods of SQR") << DoubleSquare() << 127.5 << 2;
}

// A table without a fundamental has no levels relative to it: every level is the floor, THD is
// absent, and the amplitudes still say what there is. Nothing is NaN or infinite.
void TestSpectrum::withoutFundamental() {
    QFETCH(TWaveTable, table);
    QFETCH(double, dc);
    QFETCH(int, strongest);
    for (const TSpectrum& s :
         {StairsSpectrum(table), FilteredSpectrum(table, TReconstructionFilter(0.1))}) {
        QCOMPARE(s.dc, dc);
        QVERIFY(!s.HasFundamental());
        QVERIFY(s.amplitude[1] < 1e-9);
        for (int m = 1; m <= TSpectrum::ShownHarmonics; ++m) {
            QCOMPARE(s.levelDb[m], TSpectrum::FloorDb);
            QVERIFY(std::isfinite(s.amplitude[m]));
        }
        if (strongest)
            QVERIFY(s.amplitude[strongest] > 100);
    }
}

QTEST_APPLESS_MAIN(TestSpectrum)
#include "tst_harmonics.moc"
