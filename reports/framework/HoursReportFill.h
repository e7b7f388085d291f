#pragma once

#include "reports/framework/ReportFilters.h"

class FillShow;

// Rebuilds tblHoursReport from the event log for the filters: for every
// registered employee of the range and every day of the dates, the In and Out
// events paired into worked intervals, one row per interval or unpaired event,
// the day's worked and global time on the day's last row, and a total row that
// ends each employee's rows. An employee without events gets no rows.
//
// The table is refilled in one transaction. False when the fill failed: the
// failure is reported (1012) and the table left empty.
bool FillIn_HoursReport_Tbl(const ReportFilters& filters, FillShow& show);

// Type mismatch (13) for a stored day no calendar has, naming the employee
// (`label`: number and name) whose events it dates.
[[noreturn]] void refuseUnreadableDay(const QString& day, const QString& label);
