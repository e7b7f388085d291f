#include "link/SerialLink.h"

#include "core/AppState.h"
#include "link/LinkState.h"
#include "link/ReceiveDispatcher.h"
#include "platform/AppError.h"
#include "platform/Log.h"
#include "platform/serial/CommPort.h"

#include <algorithm>

namespace {

// Often enough that a device back at the line's pace is read before the unit
// has sent more than a few packets; a try is a failed open() of a path.
constexpr int DefaultRetryInterval = 250;

int& retryIntervalSetting()
{
    static int ms = DefaultRetryInterval;
    return ms;
}

}

int SerialLink::retryInterval()
{
    return retryIntervalSetting();
}

void SerialLink::setRetryIntervalForTests(int milliseconds)
{
    retryIntervalSetting() = milliseconds > 0 ? milliseconds : DefaultRetryInterval;
}

SerialLink::SerialLink(std::unique_ptr<CommPort> port) : m_port(std::move(port))
{
    QObject::connect(&m_retry, &QTimer::timeout, [this] { tryAgain(); });
}

SerialLink::~SerialLink() = default;

bool SerialLink::isOpen() const
{
    return m_port->portOpen();
}

bool SerialLink::namesAnotherDevice() const
{
    return m_port->namesAnotherDevice();
}

void SerialLink::open(int16_t number, IfNotOpen ifNotOpen)
{
    // Waited for already, what the device holds came after the program listened.
    const bool waitedFor = m_retry.isActive() && m_port->commPort() == number;
    // Whatever the port was, it is the one asked for now.
    m_retry.stop();
    try {
        if (m_port->portOpen())
            m_port->setPortOpen(false);
        m_port->setCommPort(number);
        m_port->setPortOpen(true);
        // What waited at the device came before the program listened: it is no new read.
        if (!waitedFor)
            m_port->clearInBuffer();
    } catch (const AppError& error) {
        const QString why =
            QStringLiteral("The serial port COM%1 does not open: %2").arg(number).arg(error.description());
        if (ifNotOpen == IfNotOpen::KeepTrying) {
            m_wasOpen = waitedFor && m_wasOpen;
            waitFor(why);
        } else {
            qCWarning(lcGt430).noquote() << why;
        }
        changed();
        throw;
    }
    changed();
}

void SerialLink::close()
{
    m_retry.stop();
    m_port->setPortOpen(false);
}

void SerialLink::tick()
{
    const bool wasOpen = m_port->portOpen();
    ReceiveTick(*m_port);
    if (wasOpen && !m_port->portOpen())
        lost();
}

void SerialLink::lost()
{
    m_wasOpen = true;
    waitFor(QStringLiteral("The serial port COM%1 is gone").arg(m_port->commPort()));
    changed();
}

void SerialLink::waitFor(const QString& why)
{
    qCWarning(lcGt430).noquote() << why + QStringLiteral("; it is tried again every %1 ms").arg(retryInterval());
    m_retry.start(retryInterval());
}

void SerialLink::tryAgain()
{
    try {
        // The device that went away, never another one in its place. What it
        // holds came once it was back: reads, kept.
        m_port->reopen();
    } catch (const AppError&) {
        // Not back yet: the next try comes by itself.
        return;
    }
    m_retry.stop();
    qCInfo(lcGt430).noquote() << (m_wasOpen ? QStringLiteral("The serial port COM%1 is open again")
                                            : QStringLiteral("The serial port COM%1 is open"))
                                     .arg(m_port->commPort());
    changed();
}

void SerialLink::changed()
{
    const bool open = m_port->portOpen();
    appState().CommOpened = open;
    if (!open) {
        // Without its port the door's state is not known, whatever it showed
        // last; it stays so until the unit reports it again.
        LinkState& link = linkState();
        link.RxIdleTicks = std::max<int16_t>(link.RxIdleTicks, LinkLostTicks);
        SetDoorMode(DoorModeNotKnown);
    }
    if (m_follower)
        m_follower();
}
