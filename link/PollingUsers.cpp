#include "link/PollingUsers.h"

template <class Change>
void PollingUsers::change(Change&& step)
{
    const bool before = shouldPoll();
    step();
    if (shouldPoll() != before && m_changed)
        m_changed(shouldPoll());
}

void PollingUsers::addUser()
{
    change([this] { ++m_users; });
}

void PollingUsers::removeUser()
{
    change([this] {
        if (m_users == 0)
            return;
        if (--m_users == 0)
            m_switchedOn = false;
    });
}

void PollingUsers::switchOn()
{
    change([this] { m_switchedOn = true; });
}

void PollingUsers::switchOff()
{
    change([this] { m_switchedOn = false; });
}

PollingUsers& pollingUsers()
{
    static PollingUsers users;
    return users;
}

PollingLease::PollingLease(PollingUsers& users) : m_users(users)
{
    m_users.addUser();
}

PollingLease::~PollingLease()
{
    m_users.removeUser();
}
