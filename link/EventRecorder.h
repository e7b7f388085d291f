#pragma once

#include "link/CodeReadHandOver.h"
#include "link/OnlineEvent.h"

#include <QList>
#include <cstdint>
#include <optional>

// The picture file of an employee, or empty for number 0 or an unknown number.
QString GetEmpPictureFile(int16_t num);

// Records one code read as a new tblOnline row, stamped with the PC clock now,
// and returns the line for the history list. Nothing when the row could not be
// stored (the failure is reported).
std::optional<EventLine> SaveOnlineEvent(const CodeRead& read);

// The on-line monitor's recording: while it lives it receives every code read
// the link accepts and logs, and records each of them once.
class EventRecorder {
public:
    bool pending() const { return m_reads.pending(); }
    // Records every read received since the last call, oldest first, clears
    // NewCodeEvent, and returns the lines of the rows stored.
    QList<EventLine> RecordPending();
    // Forgets reads not yet recorded (the monitor clears them when it loads its history).
    void clear() { m_reads.clear(); }

private:
    CodeReadSubscription m_reads;
};
