#pragma once

#include "platform/AppError.h"

#include <QString>

// A serial port that does not open (or whose device went away), with what the
// user needs to put it right: the path COM n stands for, the device behind it
// (the target of a link "COMn", else the path itself) and the system's error
// number (0 where the system gave none: the device is no serial port).
class PortError : public AppError {
public:
    PortError(int number, const QString& description, QString path, QString device, int systemError);

    const QString& path() const { return m_path; }
    const QString& device() const { return m_device; }
    int systemError() const { return m_systemError; }
    // The system's text for the error number, in the system's language.
    QString systemReason() const;

private:
    QString m_path;
    QString m_device;
    int m_systemError;
};
