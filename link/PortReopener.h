#pragma once

#include <QTimer>
#include <functional>

class CommPort;

// A port whose device went away (an adapter pulled out) is opened again by
// itself: every few seconds a quiet try, no box, until it opens. Its return
// is told in the log and to `reopened`.
class PortReopener {
public:
    PortReopener(CommPort& port, std::function<void()> reopened);
    PortReopener(const PortReopener&) = delete;
    PortReopener& operator=(const PortReopener&) = delete;

    void start();
    void stop();
    bool isActive() const { return m_timer.isActive(); }

    // The time between tries; tests shorten it.
    static int interval();
    static void setIntervalForTests(int milliseconds);

private:
    void tryToOpen();

    CommPort& m_port;
    std::function<void()> m_reopened;
    QTimer m_timer;
};
