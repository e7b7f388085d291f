#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// A window timer whose tick never runs inside itself: a tick that comes while
// a modal box of the previous tick is still up is skipped. A tick that must
// go on while a box is up shows none itself.
class FormTimer : public QObject {
    Q_OBJECT
public:
    FormTimer(int intervalMs, std::function<void()> onTick, QObject* parent = nullptr);

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }

    // Runs one tick now, as the timer would (tests drive ticks this way).
    void tick();
    // A quicker pace, for tests that run the timer itself.
    void setIntervalForTests(int intervalMs) { m_timer.setInterval(intervalMs); }

private:
    QTimer m_timer;
    std::function<void()> m_onTick;
    bool m_inTick = false;
};
