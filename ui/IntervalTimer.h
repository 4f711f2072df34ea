// The interval timer the window's clocks are made of: an interval in milliseconds, an enabled flag
// and one tick handler, with the exact restart rules the handlers rely on.
#pragma once

#include <QObject>
#include <functional>
#include <stdexcept>

// The platform could not supply a timer.
class EOutOfResources : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TIntervalTimer : public QObject {
    Q_OBJECT
public:
    // The shortest period the timer ticks at; a shorter interval runs at this one.
    static constexpr int MinimumPeriod = 10;

    // Enabled, with an interval of 1000 ms, as a newly placed timer is.
    explicit TIntervalTimer(QObject* parent = nullptr);
    ~TIntervalTimer() override;

    int Interval() const { return fInterval; }
    bool Enabled() const { return fEnabled; }

    // Assigning the value a property already has does nothing at all. A different value stops the
    // clock and, if it is enabled with an interval above 0, starts a fresh period: the first tick
    // comes one full period later. When the platform has no timer to give, the assignment throws
    // EOutOfResources and the timer is left disabled, so that enabling it again retries.
    void SetInterval(int milliseconds);
    void SetEnabled(bool enabled);

    // Runs on the user-interface thread at each tick. A tick that falls due while the previous
    // one is still waiting is merged with it; missed ticks are not made up. An error the handler
    // raises goes to the error policy (Events.h), and the timer keeps running.
    std::function<void(QObject* Sender)> OnTimer;

    // While one of these lives, no interval timer gets a timer from the platform, as on a platform
    // that has run out of them: for tests of what the program does then.
    class TNoTimersAvailable {
    public:
        TNoTimersAvailable() { ++sWithheld; }
        ~TNoTimersAvailable() { --sWithheld; }
        TNoTimersAvailable(const TNoTimersAvailable&) = delete;
        TNoTimersAvailable& operator=(const TNoTimersAvailable&) = delete;
    };

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void Restart();
    void Stop();

    static inline int sWithheld = 0; // TNoTimersAvailable objects alive

    int fInterval = 1000;
    bool fEnabled = true;
    int fTimerId = 0;
};
