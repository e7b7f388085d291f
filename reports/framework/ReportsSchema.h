#pragma once

#include "platform/db/SchemaItem.h"

// Layout step 4 (app/ProgramSchema.cpp): the work tables of the working-hours
// reports and the queries they are read through.
Schema reportsSchema();

// Layout step 5: the index the working-hours fill reads the event log through,
// in place of the employee index it covers.
Schema reportsAttendanceIndex();
