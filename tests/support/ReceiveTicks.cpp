#include "tests/support/ReceiveTicks.h"

#include "link/ReceiveDispatcher.h"

#include <QCoreApplication>

ReceiveTicks::ReceiveTicks(FakeClock& clock, int stepMs) : m_clock(clock), m_stepMs(stepMs)
{
    port.open = true;
}

void ReceiveTicks::tick(const QByteArray& input)
{
    port.waiting += input;
    if (m_stepMs > 0)
        m_clock.current = m_clock.current.addMSecs(m_stepMs);
    ReceiveTick(port);
    QCoreApplication::sendPostedEvents();
}

void ReceiveTicks::ticks(int n)
{
    for (int i = 0; i < n; ++i)
        tick();
}
