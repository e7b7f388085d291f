#include "link/LinkLostHook.h"

#include <QList>

namespace {

QList<LinkLostListener*>& listeners()
{
    static QList<LinkLostListener*> all;
    return all;
}

}

LinkLostListener::LinkLostListener(std::function<void()> onLost) : m_onLost(std::move(onLost))
{
    listeners().append(this);
}

LinkLostListener::~LinkLostListener()
{
    listeners().removeOne(this);
}

void notifyLinkLost()
{
    // A listener may go away while another one runs (a window closing).
    const QList<LinkLostListener*> now = listeners();
    for (LinkLostListener* l : now) {
        if (listeners().contains(l) && l->m_onLost)
            l->m_onLost();
    }
}
