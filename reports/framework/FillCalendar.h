#pragma once

#include "reports/framework/WorkingCalendar.h"

// The working-day calendar as the door settings stand when a fill starts,
// read once for the whole fill. Settings that cannot be read are reported
// once, under `procId`; the days then have only the holidays.
WorkingCalendar calendarForFill(int16_t procId);
