#pragma once

#include "reports/framework/ReportFilters.h"

class FillShow;

// Rebuilds tblMissingReport for the filters, employee by employee of the
// register in the range: one "--Absence All Days--" row for an employee with
// no event on any of the days, else a row for each working day of the range
// on which he has none. The working days (holidays and the weekday groups of
// the door settings) are worked out once for the whole fill.
//
// The show plays once the range holds an employee. False when the fill failed:
// the failure is reported (952) and the table left empty.
bool FillIn_MissingReport_Tbl(const ReportFilters& filters, FillShow& show);
