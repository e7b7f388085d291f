#include "link/CodeReadHandOver.h"

namespace {

QList<CodeReadSubscription*>& subscriptions()
{
    static QList<CodeReadSubscription*> all;
    return all;
}

}

CodeReadSubscription::CodeReadSubscription()
{
    subscriptions().append(this);
}

CodeReadSubscription::~CodeReadSubscription()
{
    subscriptions().removeOne(this);
}

std::optional<CodeRead> CodeReadSubscription::take()
{
    if (m_reads.isEmpty())
        return std::nullopt;
    return m_reads.dequeue();
}

QList<CodeRead> CodeReadSubscription::takeAll()
{
    QList<CodeRead> all(m_reads.cbegin(), m_reads.cend());
    m_reads.clear();
    return all;
}

void handOverCodeRead(const CodeRead& read)
{
    for (CodeReadSubscription* s : subscriptions())
        s->m_reads.enqueue(read);
}
