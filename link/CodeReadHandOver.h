#pragma once

#include "link/OnlineEvent.h"
#include "link/PacketRecord.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <cstdint>
#include <optional>

// One accepted code read that the link took into its log, as it is handed
// over: its number in the run, the packet with its data bytes and the time it
// came, the code (as LastCode), the slot (as LastSlot), and its event with
// its line (the event's row 0 while it waits to be stored).
struct CodeRead {
    qint64 Id = 0;
    PacketRecord Packet;
    QString Code;
    uint16_t Slot = 0;
    std::optional<RecordedEvent> Event;
};

// A consumer of code reads (the on-line monitor, the capture dialog). While it
// lives it receives its own copy of every read the link hands over, in the
// order they came, at the end of the receive tick that took it in (stored or
// still waiting for the database), so that no read is lost to another
// consumer or to a later packet. Reads handed over before it was made are not
// in it.
class CodeReadSubscription {
public:
    CodeReadSubscription();
    ~CodeReadSubscription();
    CodeReadSubscription(const CodeReadSubscription&) = delete;
    CodeReadSubscription& operator=(const CodeReadSubscription&) = delete;

    bool pending() const { return !m_reads.isEmpty(); }
    int count() const { return static_cast<int>(m_reads.size()); }
    // The oldest read not yet taken.
    std::optional<CodeRead> take();
    QList<CodeRead> takeAll();
    void clear() { m_reads.clear(); }

private:
    friend void handOverCodeRead(const CodeRead& read);
    QQueue<CodeRead> m_reads;
};

// Gives every living subscription a copy of the read.
void handOverCodeRead(const CodeRead& read);
