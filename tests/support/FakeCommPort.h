#pragma once

#include "platform/AppError.h"
#include "platform/serial/CommPort.h"
#include "platform/serial/PortError.h"

#include <QSet>
#include <cerrno>

// A port the test feeds by hand. Ports named in `missing` fail to open with
// 8002 (no /dev/ttyS(n-1)), those in `busy` with 8005, as the real port does.
class FakeCommPort final : public CommPort {
public:
    void setCommPort(int16_t number) override
    {
        if (open)
            raiseError(CommError::PortAlreadyOpen, QStringLiteral("Port already open"));
        port = number;
    }
    int16_t commPort() const override { return port; }

    void setPortOpen(bool wanted) override
    {
        if (wanted && !open) {
            const QString device = QStringLiteral("/dev/ttyS%1").arg(port - 1);
            if (missing.contains(port))
                throw PortError(CommError::InvalidPortNumber, QStringLiteral("Invalid port number"), device, device,
                                ENOENT);
            if (busy.contains(port))
                throw PortError(CommError::PortAlreadyOpen, QStringLiteral("Port already open"), device, device,
                                EWOULDBLOCK);
            if (openFailure != 0)
                raiseError(openFailure, QStringLiteral("The port failed to open"));
            ++opens;
        }
        open = wanted;
    }
    bool portOpen() const override { return open; }
    bool namesAnotherDevice() const override { return open && anotherDevice; }

    int inBufferCount() override
    {
        requireOpen();
        ++polls;
        return static_cast<int>(waiting.size());
    }
    // As a real port: only an open one can drop what waits.
    void clearInBuffer() override
    {
        if (open)
            waiting.clear();
    }
    QByteArray readInput() override
    {
        requireOpen();
        QByteArray all = waiting;
        waiting.clear();
        return all;
    }

    int16_t port = 1;
    bool open = false;
    int opens = 0;
    int polls = 0; // the receive ticks that looked at the port
    QByteArray waiting;
    QSet<int16_t> missing;
    QSet<int16_t> busy;
    int openFailure = 0;        // any other failure of every open
    bool anotherDevice = false; // the number has come to name another device

private:
    void requireOpen() const
    {
        if (!open)
            raiseError(CommError::PortNotOpen, QStringLiteral("Operation valid only when the port is open"));
    }
};
