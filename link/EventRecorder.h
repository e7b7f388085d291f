#pragma once

#include "link/CodeReadHandOver.h"
#include "link/OnlineEvent.h"

#include <QDateTime>
#include <QList>
#include <optional>

// Records one code read as a new tblOnline row stamped `now` and returns the
// line for the history list. Nothing when the row could not be stored (the
// failure is reported).
std::optional<EventLine> SaveOnlineEvent(const CodeRead& read, const QDateTime& now);

// The on-line monitor's recording: while it lives, every code read the link
// accepts and logs is recorded once, by the receive tick that handled it and
// inside that tick's transaction. The monitor takes the lines to show them.
class EventRecorder {
public:
    EventRecorder();
    ~EventRecorder();
    EventRecorder(const EventRecorder&) = delete;
    EventRecorder& operator=(const EventRecorder&) = delete;

    // Reads not yet recorded, or lines not yet taken.
    bool pending() const { return m_reads.pending() || !m_lines.isEmpty(); }
    // Records every read received and not yet recorded, oldest first, and
    // clears NewCodeEvent after each.
    void Record(const QDateTime& now);
    // The lines of the rows stored since the last call, oldest first.
    QList<EventLine> TakeLines();
    // Records what is left, stamped with the PC clock, and takes every line.
    QList<EventLine> RecordPending();
    // Forgets reads not yet recorded and lines not yet taken (the monitor does
    // this when it loads its history).
    void clear();

private:
    CodeReadSubscription m_reads;
    QList<EventLine> m_lines;
};

// Every living recorder records what it received (the receive tick, at its end).
void RecordReceivedReads(const QDateTime& now);
