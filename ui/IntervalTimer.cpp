#include "ui/IntervalTimer.h"

#include "ui/Events.h"

#include <QTimerEvent>
#include <algorithm>

TIntervalTimer::TIntervalTimer(QObject* parent) : QObject(parent) {
    Restart();
}

TIntervalTimer::~TIntervalTimer() {
    Stop();
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

void TIntervalTimer::Stop() {
    if (fTimerId != 0)
        killTimer(fTimerId);
    fTimerId = 0;
}

void TIntervalTimer::Restart() {
    Stop();
    if (!fEnabled || fInterval <= 0)
        return;
    // A precise timer keeps its schedule (it does not drift by the time each tick takes to be
    // served) and, when a tick is served late, schedules the next one a whole period after it
    // instead of making up the ticks missed. Qt's event dispatcher sends posted events (repaints
    // among them) and window-system input before timers, and runs timers that keep firing at
    // idle priority, which makes ticks the lowest-priority events.
    fTimerId = sWithheld > 0 ? 0 : startTimer(std::max(MinimumPeriod, fInterval), Qt::PreciseTimer);
    if (fTimerId == 0) {
        fEnabled = false;
        throw EOutOfResources("Not enough timers available");
    }
}

void TIntervalTimer::timerEvent(QTimerEvent* event) {
    if (event->timerId() != fTimerId) {
        QObject::timerEvent(event);
        return;
    }
    Raise(OnTimer, this);
}
