#pragma once

#include "link/CodeReadHandOver.h"
#include "link/OnlineEvent.h"

#include <QDateTime>
#include <optional>

// Records one code read as a new tblOnline row stamped `now` (the time of the
// receive tick that took it in) and returns the row and its line for the
// on-line monitor. The receive tick records every read the link logs, whatever
// window is open. Nothing when the row could not be stored (the failure is
// reported).
std::optional<RecordedEvent> SaveOnlineEvent(const CodeRead& read, const QDateTime& now);
