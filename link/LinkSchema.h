#pragma once

#include "platform/db/SchemaItem.h"

// The raw packet log, the door-status history and the event log. Layout
// step 1 (app/ProgramSchema.cpp), which stands as it shipped: a change of
// these tables is a new step.
Schema linkSchema();
