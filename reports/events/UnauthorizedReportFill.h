#pragma once

#include "reports/framework/ReportFilters.h"

class FillShow;

// Rebuilds tblUnauthorized from the event log for the days of the filters:
// first the passages of registered employees at which the door did not open
// (qryForUnauthorized), then the entries made with a code that no employee
// holds (qryUnauthorized2), each in the order they happened. The employee
// range plays no part.
//
// The show plays once the days hold such a passage. False when the fill
// failed: the failure is reported (1052) and the table left empty.
bool FillIn_Unauthorized_Tbl(const ReportFilters& filters, FillShow& show);
