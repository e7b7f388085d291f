#pragma once

#include "reports/framework/ReportFilters.h"

class FillShow;

// Rebuilds tblHoursReport (the working-hours computation) and then
// tblLateReport: for each employee, the days whose first In came after the
// day's scheduled start, with how late, then a total row (also for an employee
// never late). The scheduled start is the start time of the day's weekday
// group, else the employee's own, else DefaultStartTime; holidays play no part.
//
// False when a fill failed: the failure is reported (902 here) and the table
// left empty.
bool FillIn_LateReport_Tbl(const ReportFilters& filters, FillShow& show);
