#pragma once

#include "platform/db/SchemaItem.h"

// The raw packet log, the door-status history and the event log.
Schema linkSchema();
