#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <cstdint>

// Failures of the serial port, numbered as the program's handlers know them.
namespace CommError {
inline constexpr int InvalidPortNumber = 8002; // no such port, or not a serial device
inline constexpr int PortAlreadyOpen = 8005;   // in use (an exclusive open was refused)
inline constexpr int PortNotOpen = 8012;       // the operation needs an open port
}

// A piece of the input as it was taken from the device, and when.
struct PortInput {
    QByteArray bytes;
    QDateTime at;
};

// The serial port the door unit is wired to. It is polled, never written:
// the link runs one way, from the unit to the PC. Line settings are fixed at
// 9600 baud, 8 data bits, no parity, 1 stop bit, raw bytes.
class CommPort {
public:
    virtual ~CommPort() = default;

    // COM n. Changing the number of an open port is refused (8005).
    virtual void setCommPort(int16_t number) = 0;
    virtual int16_t commPort() const = 0;

    // Opening throws 8002 or 8005 (or another numbered failure); closing a
    // closed port does nothing.
    virtual void setPortOpen(bool open) = 0;
    virtual bool portOpen() const = 0;
    // Opens again the device tried last (one that went away and may be back,
    // or one that was not there yet), keeping what it holds; as
    // setPortOpen(true) before any was tried.
    virtual void reopen();
    // Whether the number now names a device other than the one open.
    virtual bool namesAnotherDevice() const;

    // Bytes waiting in the input buffer; 8012 when the port is closed.
    virtual int inBufferCount() = 0;
    // Drops everything waiting.
    virtual void clearInBuffer() = 0;
    // Takes everything waiting (may be empty); 8012 when the port is closed.
    virtual QByteArray readInput() = 0;
    // The same, piece by piece with the time each piece was taken from the
    // device. A port that takes its input only when asked gives one piece,
    // taken now.
    virtual QList<PortInput> readArrivals();
};
