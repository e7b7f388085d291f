#pragma once

#include "platform/db/SchemaItem.h"

// Layout step 4 (app/ProgramSchema.cpp): the work tables of the working-hours
// reports and the queries they are read through.
Schema reportsSchema();

// Layout step 5: the index the working-hours fill reads the event log through.
Schema reportsAttendanceIndex();

// Layout step 7: that index covering what the fills read, in place of the
// employee index it begins with.
Schema reportsCoveringAttendanceIndex();
