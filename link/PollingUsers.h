#pragma once

#include <functional>

// Who needs the receive timer. The on-line monitor, the capture dialog and the
// door settings window each hold a lease while they are open; applying a port
// in the communication settings switches polling on until the last window
// user leaves. The main window owns the timer and runs it while shouldPoll().
class PollingUsers {
public:
    void addUser();
    // Leaving with no users left also ends a switch-on.
    void removeUser();
    void switchOn();
    void switchOff();

    int users() const { return m_users; }
    bool shouldPoll() const { return m_users > 0 || m_switchedOn; }

    // Told the new state whenever shouldPoll() changes.
    void setChangedHandler(std::function<void(bool)> handler) { m_changed = std::move(handler); }

private:
    template <class Change>
    void change(Change&& step);

    int m_users = 0;
    bool m_switchedOn = false;
    std::function<void(bool)> m_changed;
};

PollingUsers& pollingUsers();

// One window's use of the receive timer, for as long as it lives.
class PollingLease {
public:
    explicit PollingLease(PollingUsers& users = pollingUsers());
    ~PollingLease();
    PollingLease(const PollingLease&) = delete;
    PollingLease& operator=(const PollingLease&) = delete;

private:
    PollingUsers& m_users;
};
