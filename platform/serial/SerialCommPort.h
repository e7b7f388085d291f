#pragma once

#include "platform/serial/CommPort.h"

#include <QString>

// The serial port over a Linux terminal device, opened read-only at 9600 baud,
// 8N1, raw. COM n is the device behind the link "COMn" in the program folder
// when there is one (a USB adapter, or a test's pseudo-terminal), else
// /dev/ttyS(n-1). The open is exclusive: a second program (or port object)
// asking for the same device is refused with 8005. What waits at the device
// when it opens is kept; clearInBuffer() drops it.
class SerialCommPort final : public CommPort {
public:
    SerialCommPort() = default;
    ~SerialCommPort() override;
    SerialCommPort(const SerialCommPort&) = delete;
    SerialCommPort& operator=(const SerialCommPort&) = delete;

    void setCommPort(int16_t number) override;
    int16_t commPort() const override { return m_number; }

    void setPortOpen(bool open) override;
    bool portOpen() const override { return m_fd >= 0; }

    int inBufferCount() override;
    void clearInBuffer() override;
    QByteArray readInput() override;

    // The device COM n stands for.
    static QString devicePath(int16_t number);

private:
    void open();
    void close();
    void requireOpen() const;
    // A device that went away (an adapter pulled out) closes the port.
    [[noreturn]] void lost(int error);

    int16_t m_number = 1;
    int m_fd = -1;
    QString m_device;
};
