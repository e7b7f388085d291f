#pragma once

#include <functional>

// Called on every receive tick while the link counts as lost (the door mode
// has just been set to not known), for as long as the listener lives. The
// on-line monitor keeps one while it is open to refresh its status panel.
class LinkLostListener {
public:
    explicit LinkLostListener(std::function<void()> onLost);
    ~LinkLostListener();
    LinkLostListener(const LinkLostListener&) = delete;
    LinkLostListener& operator=(const LinkLostListener&) = delete;

private:
    friend void notifyLinkLost();
    std::function<void()> m_onLost;
};

void notifyLinkLost();
