#pragma once

#include <QDateTime>

// The program's view of the time of day, and its one way of letting time pass
// while the window event loop keeps running. Tests install a clock of their own
// so that nothing waits for real seconds.
class Clock {
public:
    virtual ~Clock() = default;
    // Any thread may ask (the serial port's reader does).
    virtual QDateTime now() const = 0;
    // Returns once now() has reached `until`, serving window events meanwhile.
    virtual void waitUntil(const QDateTime& until) = 0;
};

Clock& programClock();
// Installs a clock (not owned); nullptr restores the system clock.
void setProgramClock(Clock* replacement);
