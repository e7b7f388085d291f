#pragma once

#include "core/SerialLinkControl.h"

#include <QTimer>
#include <functional>
#include <memory>

class CommPort;

// The one owner of the serial port of the door unit: it opens and closes it,
// runs the receive tick over it, notices when its device goes away, and then
// tries that same device again every quarter of a second, without a box,
// until it is back; so too a port asked to be tried again that did not open
// (the stored port at the start). A device opened again keeps what it holds:
// it came after the device was back. Whoever follows it (the main window: the
// receive timer and the commands that need the link are on exactly while the
// port is open) hears of every change. Whenever the port is not open the door
// shows as not known. Why a port did not open goes to the log with the device
// and the system's reason; the box, where there is one, is the caller's.
class SerialLink final : public SerialLinkControl {
public:
    explicit SerialLink(std::unique_ptr<CommPort> port);
    ~SerialLink() override;
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    CommPort& port() { return *m_port; }
    void setFollower(std::function<void()> follower) { m_follower = std::move(follower); }

    bool isOpen() const override;
    bool namesAnotherDevice() const override;
    using SerialLinkControl::open;
    void open(int16_t number, IfNotOpen ifNotOpen) override;
    // At the end of the program.
    void close();

    // One receive tick over the port.
    void tick();
    // Tries to open the device that went away (or was not there), while it is away.
    bool isWaitingForDevice() const { return m_retry.isActive(); }

    // The time between tries; tests shorten it.
    static int retryInterval();
    static void setRetryIntervalForTests(int milliseconds);

private:
    void lost();
    void waitFor(const QString& why);
    void tryAgain();
    // The port as it is now, to the program's state and to the follower.
    void changed();

    std::unique_ptr<CommPort> m_port;
    std::function<void()> m_follower;
    QTimer m_retry;
    // The port waited for has been open before (a device that went away).
    bool m_wasOpen = false;
};
