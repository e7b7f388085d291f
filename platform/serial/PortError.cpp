#include "platform/serial/PortError.h"

#include <cstring>

PortError::PortError(int number, const QString& description, QString path, QString device, int systemError)
    : AppError(number, description), m_path(std::move(path)), m_device(std::move(device)), m_systemError(systemError)
{
}

QString PortError::systemReason() const
{
    return m_systemError != 0 ? QString::fromLocal8Bit(std::strerror(m_systemError)) : QString();
}
