#pragma once

#include "core/SharedLookups.h"
#include "link/OnlineEvent.h"
#include "link/PacketRecord.h"

#include <cstdint>
#include <optional>

// The tblOnline row of a code read, dated with the time its packet was taken
// from the port, for the employee who holds its code (none: -1 and "Unknown
// Employee"). "Subscript out of range" (9) when the packet has no Data(7).
OnlineEvent OnlineEventOf(const PacketRecord& packet, uint16_t slot, const std::optional<EmployeeWithCode>& holder);
// Gives the event its holder (none: -1 and "Unknown Employee"), the rest as it stands.
void SetEventHolder(OnlineEvent& event, const std::optional<EmployeeWithCode>& holder);

// Stores the event as a new tblOnline row and returns the row. Fails as the
// database does; nothing is reported here.
qint64 SaveOnlineEvent(const OnlineEvent& event);
