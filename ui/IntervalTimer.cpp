#include "ui/IntervalTimer.h"

#include <algorithm>

TIntervalTimer::TIntervalTimer(QObject* parent) : QObject(parent) {
    fTimer.setTimerType(Qt::PreciseTimer);
    connect(&fTimer, &QTimer::timeout, this, [this] {
        if (OnTimer)
            OnTimer(this);
    });
    Restart();
}

void TIntervalTimer::SetInterval(int milliseconds) {
    if (milliseconds == fInterval)
        return;
    fInterval = milliseconds;
    Restart();
}

void TIntervalTimer::SetEnabled(bool enabled) {
    if (enabled == fEnabled)
        return;
    fEnabled = enabled;
    Restart();
}

void TIntervalTimer::Restart() {
    fTimer.stop();
    if (fEnabled && fInterval > 0)
        fTimer.start(std::max(MinimumPeriod, fInterval));
}
