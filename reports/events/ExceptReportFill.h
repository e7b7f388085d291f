#pragma once

#include "reports/framework/ReportFilters.h"

class FillShow;

// Rebuilds tblHoursReport (the working-hours computation) and then
// tblExceptReport: for each employee, the days he worked some time but fewer
// whole hours than scheduled, with the time missing and a running count, then
// a closing row with the count and the missing time in total (also for an
// employee never short). The scheduled hours are those of the day's weekday
// group, else the employee's own, else DefaultWorkHours; holidays play no part.
//
// False when a fill failed: the failure is reported (852 here) and the table
// left empty.
bool FillIn_ExceptReport_Tbl(const ReportFilters& filters, FillShow& show);
