#include "link/PortReopener.h"

#include "platform/AppError.h"
#include "platform/Log.h"
#include "platform/serial/CommPort.h"

namespace {

constexpr int DefaultInterval = 3000;

int& intervalSetting()
{
    static int ms = DefaultInterval;
    return ms;
}

}

PortReopener::PortReopener(CommPort& port, std::function<void()> reopened)
    : m_port(port), m_reopened(std::move(reopened))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { tryToOpen(); });
}

int PortReopener::interval()
{
    return intervalSetting();
}

void PortReopener::setIntervalForTests(int milliseconds)
{
    intervalSetting() = milliseconds > 0 ? milliseconds : DefaultInterval;
}

void PortReopener::start()
{
    if (m_timer.isActive())
        return;
    qCWarning(lcGt430).noquote() << QStringLiteral("The serial port COM%1 is gone; it is tried again every %2 ms")
                                        .arg(m_port.commPort())
                                        .arg(interval());
    m_timer.start(interval());
}

void PortReopener::stop()
{
    m_timer.stop();
}

void PortReopener::tryToOpen()
{
    try {
        m_port.setPortOpen(true);
    } catch (const AppError&) {
        // Not back yet: the next try comes by itself.
        return;
    }
    m_timer.stop();
    qCInfo(lcGt430).noquote() << QStringLiteral("The serial port COM%1 is open again").arg(m_port.commPort());
    if (m_reopened)
        m_reopened();
}
