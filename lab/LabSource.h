// What the signal lab reads of the generator it studies: the working table, the step clock's
// interval and whether automatic stepping runs, with a notification when any of them may have
// changed. A read-only view, so that the lab never reaches into the window that owns the state.
#pragma once

#include "engine/WaveTables.h"

#include <QObject>

class TLabSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual TWaveTable Table() const = 0;
    // The step clock's interval in milliseconds, as set; the clock may run slower (Frequency.h).
    virtual int StepIntervalMs() const = 0;
    virtual bool Stepping() const = 0;

signals:
    // Emitted after a change of any of the three; it may also come when nothing changed.
    void Changed();
};
