#pragma once

#include "platform/db/SchemaItem.h"

// The raw packet log, the door-status history and the event log. Layout
// step 1 (app/ProgramSchema.cpp), which stands as it shipped: a change of
// these tables is a new step.
Schema linkSchema();

// What of the journal of waiting rows the database holds already: the number
// of the last row stored from it (link/ReceiveLog.h). Layout step 8.
Schema linkJournalMark();
