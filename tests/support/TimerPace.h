#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

// A timer of the test's own, ticking on the window's thread as the program's
// timers do, that keeps the longest gap between its ticks: a window thread
// held up shows as a long gap. `onTick` looks at the program on each tick.
class TimerPace {
public:
    explicit TimerPace(int intervalMs = 20, std::function<void()> onTick = {}) : m_onTick(std::move(onTick))
    {
        m_timer.setInterval(intervalMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 gap = m_sinceLast.restart();
            if (gap > m_longestGap)
                m_longestGap = gap;
            ++m_ticks;
            if (m_onTick)
                m_onTick();
        });
        m_sinceLast.start();
        m_timer.start();
    }

    int ticks() const { return m_ticks; }
    qint64 longestGapMs() const { return m_longestGap; }
    void stop() { m_timer.stop(); }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    std::function<void()> m_onTick;
    qint64 m_longestGap = 0;
    int m_ticks = 0;
};
