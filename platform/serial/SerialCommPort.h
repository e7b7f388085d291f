#pragma once

#include "platform/serial/CommPort.h"

#include <QString>
#include <mutex>
#include <thread>

// The serial port over a Linux terminal device, opened read-only at 9600 baud,
// 8N1, raw. COM n is the device behind the link "COMn" in the program folder
// when there is one (a USB adapter, or a test's pseudo-terminal), else
// /dev/ttyS(n-1). The open is exclusive: a second program (or port object)
// asking for the same device is refused with 8005. What waits at the device
// when it opens is kept; clearInBuffer() drops it. A failure to open is a
// PortError (platform/serial/PortError.h): the device and the system's reason.
//
// While it is open, a thread of its own takes the bytes from the device as
// they come, each piece with the time it was taken, so that a window that
// keeps the program's thread busy for a while (a report filling, a database
// another program holds) changes no read's time. The program's thread gets
// them, in order, from readArrivals().
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
    // A port that was a link ("COMn") opens that link again, wherever it
    // points now, and never /dev/ttyS(n-1) in its place; one that was
    // /dev/ttyS(n-1) opens what COM n names now (a link made meanwhile).
    void reopen() override;
    // The path COM n stands for now, or the device behind it, differs from
    // the one open.
    bool namesAnotherDevice() const override;

    int inBufferCount() override;
    void clearInBuffer() override;
    QByteArray readInput() override;
    QList<PortInput> readArrivals() override;

    // The device COM n stands for.
    static QString devicePath(int16_t number);
    // The link "COMn" in the program folder, whether it is there or not.
    static QString linkPath(int16_t number);

private:
    void open(const QString& device);
    void close();
    void requireOpen() const;
    // A device that went away (an adapter pulled out) closes the port.
    [[noreturn]] void lost(int error);
    // Takes what waits at the device into m_taken; m_mutex held. A device
    // that is gone leaves its error in m_lostError.
    void takeWaiting();
    // What the program's thread has not taken yet; when nothing is left of a
    // device that is gone, the port closes with its error.
    void requireTaken();
    void readLoop();

    int16_t m_number = 1;
    int m_fd = -1;
    QString m_device;
    // The device opened last, kept once it is closed or gone.
    QString m_lastDevice;

    std::mutex m_mutex;
    QList<PortInput> m_taken;
    qsizetype m_takenBytes = 0;
    int m_lostError = 0;
    int m_wake = -1; // an eventfd that ends the reader
    std::thread m_reader;
};
