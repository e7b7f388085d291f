#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// A window timer whose tick never runs inside itself: a tick that comes while
// a modal box of the previous tick is still up is skipped. A tick that must
// go on while a box is up shows none itself: its reports wait until it has
// returned. Only the timer runs the ticks.
class FormTimer : public QObject {
    Q_OBJECT
public:
    FormTimer(int intervalMs, std::function<void()> onTick, QObject* parent = nullptr);

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_timer.isActive(); }

    // A quicker pace, for tests that run the timer itself.
    void setIntervalForTests(int intervalMs) { m_timer.setInterval(intervalMs); }

private:
    void tick();

    QTimer m_timer;
    std::function<void()> m_onTick;
    bool m_inTick = false;
};
