#include "platform/serial/CommPort.h"

#include "platform/Clock.h"

QList<PortInput> CommPort::readArrivals()
{
    QByteArray bytes = readInput();
    if (bytes.isEmpty())
        return {};
    return {PortInput{std::move(bytes), programClock().now()}};
}

void CommPort::reopen()
{
    setPortOpen(true);
}

bool CommPort::namesAnotherDevice() const
{
    return false;
}
