#include "lab/LabText.h"

#include "signal/Frequency.h"
#include "signal/Harmonics.h"

#include <algorithm>
#include <cmath>

namespace LabText {

QString Significant(double value, int digits) {
    if (value == 0 || !std::isfinite(value))
        return QString::number(value, 'f', std::max(0, digits - 1));
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    // Beyond nine decimals the value is rounding noise of a quantity that is zero.
    const int decimals = std::clamp(digits - 1 - magnitude, 0, 9);
    return QString::number(value, 'f', decimals);
}

QString Level(double db) {
    if (db <= TSpectrum::FloorDb)
        return QStringLiteral("below %1 dB").arg(TSpectrum::FloorDb);
    return QStringLiteral("%1 dB").arg(db, 0, 'f', 1);
}

QString Thd(const std::optional<double>& percent) {
    return percent ? Significant(*percent, 3) + QStringLiteral(" %") : QStringLiteral("none");
}

QString OutputFrequency(int intervalMs, bool stepping) {
    const double steps = Frequency::StepsPerSecond(intervalMs);
    if (steps <= 0)
        return QStringLiteral("stopped");
    // Two significant digits: 100 steps a second give 0.39 Hz, 2 give 0.0078 Hz.
    const QString atSpeed = QStringLiteral("%1 Hz at %2 steps a second")
                                .arg(Significant(Frequency::OutputFrequency(intervalMs, true), 2),
                                     QString::number(steps, 'g', 4));
    return stepping ? atSpeed : QStringLiteral("stopped (%1 once started)").arg(atSpeed);
}

QString StepRate(double pitchHz) {
    return QStringLiteral("%1 steps a second for %2 Hz")
        .arg(QString::number(Frequency::StepRateForPitch(pitchHz), 'f', 0),
             QString::number(pitchHz, 'f', 0));
}

} // namespace LabText
