// An interval timer with the semantics the window's handlers rely on: assigning a property the
// value it already has does nothing; a different value restarts the period; never faster than 10
// ms.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class TIntervalTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int MinimumPeriod = 10;

    explicit TIntervalTimer(QObject* parent = nullptr);

    int Interval() const { return fInterval; }
    bool Enabled() const { return fEnabled; }
    void SetInterval(int milliseconds);
    void SetEnabled(bool enabled);

    std::function<void(QObject* Sender)> OnTimer;

private:
    void Restart();

    QTimer fTimer;
    int fInterval = 1000;
    bool fEnabled = true;
};
