#include "platform/forms/FormTimer.h"

FormTimer::FormTimer(int intervalMs, std::function<void()> onTick, QObject* parent)
    : QObject(parent), m_onTick(std::move(onTick))
{
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &FormTimer::tick);
}

void FormTimer::setEnabled(bool enabled)
{
    if (enabled)
        m_timer.start();
    else
        m_timer.stop();
}

void FormTimer::tick()
{
    if (m_inTick && !m_ticksDuringBoxes)
        return;
    struct Reset {
        bool& flag;
        bool before;
        ~Reset() { flag = before; }
    } reset{m_inTick, m_inTick};
    m_inTick = true;
    m_onTick();
}
