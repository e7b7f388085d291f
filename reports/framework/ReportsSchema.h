#pragma once

#include "platform/db/SchemaItem.h"

// The work tables of the reports and the queries they are read through.
Schema reportsSchema();
