#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// A window timer whose tick never runs inside itself: a tick that comes while
// a modal box of the previous tick is still up is skipped, unless the timer
// lets its ticks run there (a tick that guards its own work and must not
// stop behind a box).
class FormTimer : public QObject {
    Q_OBJECT
public:
    FormTimer(int intervalMs, std::function<void()> onTick, QObject* parent = nullptr);

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }

    void setTicksDuringItsBoxes(bool run) { m_ticksDuringBoxes = run; }

    // Runs one tick now, as the timer would (tests drive ticks this way).
    void tick();

private:
    QTimer m_timer;
    std::function<void()> m_onTick;
    bool m_inTick = false;
    bool m_ticksDuringBoxes = false;
};
