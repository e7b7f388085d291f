#pragma once

#include "reports/framework/ReportFilters.h"

class FillShow;

// Rebuilds tblOnlineReport from the event log for the filters: every code read
// of a registered employee of the range on the days, in employee, day and time
// order, with the employee's label and the translated words for direction,
// credential and door. A read of a number without a register entry (-1 among
// them) is left out; the employee is told by the register, never by his name.
//
// The show plays once the range holds any read at all. False when the fill
// failed: the failure is reported (965) and the table left empty.
bool FillIn_OnlineReport_Tbl(const ReportFilters& filters, FillShow& show);
