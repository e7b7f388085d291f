#include "link/PortFailureText.h"

#include "core/Messages.h"
#include "platform/serial/CommPort.h"
#include "platform/serial/PortError.h"

#include <cerrno>
#include <pwd.h>
#include <unistd.h>

namespace {

QString loginName()
{
    passwd entry{};
    passwd* found = nullptr;
    char buffer[1024];
    if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(geteuid());
}

}

QString PortFailureLines(int16_t number, const AppError& error, bool triedAgain)
{
    const QChar line(QLatin1Char('\r'));
    QString text;
    if (const auto* port = dynamic_cast<const PortError*>(&error)) {
        text += line;
        if (port->device() != port->path())
            text += Translate(QStringLiteral("COM %1 is the device %2, through the link %3."))
                        .arg(number)
                        .arg(port->device(), port->path());
        else
            text += Translate(QStringLiteral("COM %1 is the device %2.")).arg(number).arg(port->device());
        text += line;
        if (port->systemError() != 0)
            text += Translate(QStringLiteral("The system's reason: %1")).arg(port->systemReason());
        else
            text += Translate(QStringLiteral("The device is not a serial port."));
        if (port->systemError() == EACCES || port->systemError() == EPERM) {
            text += line + Translate(QStringLiteral("Reading the device needs the group dialout: an administrator adds "
                                                    "the user %1 to it (adduser %1 dialout), and it counts from the "
                                                    "next login: log out and log in again."))
                               .arg(loginName());
        } else if (port->number() == CommError::PortAlreadyOpen) {
            text += line + Translate(QStringLiteral("Another program has the device open."));
        }
    }
    if (triedAgain)
        text += line + Translate(QStringLiteral("The program keeps trying the port and reads it as soon as it opens."));
    return text;
}
