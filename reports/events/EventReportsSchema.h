#pragma once

#include "platform/db/SchemaItem.h"

// Layout step 6 (app/ProgramSchema.cpp): the work tables of the on-line
// events, absence, incomplete-hours and unauthorized-access reports, the
// queries they are read through, and the indexes of the refused passages.
Schema eventReportsSchema();
