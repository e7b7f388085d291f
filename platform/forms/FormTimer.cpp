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
    if (m_inTick)
        return;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_inTick};
    m_inTick = true;
    m_onTick();
}
