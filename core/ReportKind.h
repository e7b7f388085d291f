#pragma once

#include <cstdint>

// The report last chosen in the report filter window: 0 on-line events,
// 1 absence, 2 working-hours details, 3 incomplete hours, 4 late arrival,
// 5 unauthorized access, 6 working-hours totals. 0 until that window sets it;
// it keeps its value after the window closes. The page footers read it.
//
// Written only by SetReportKind: the report filter window at its load and at
// each choice of a report; printReport (reports/framework/Report.h), so that
// the footers of a printout made without that window (gt430-report) know its
// kind; and resetAppState, which puts back a program just started.
extern int16_t ReportKind;

void SetReportKind(int kind);

namespace ReportKinds {
inline constexpr int OnLine = 0;
inline constexpr int Absence = 1;
inline constexpr int HoursDetails = 2;
inline constexpr int IncompleteHours = 3;
inline constexpr int LateArrival = 4;
inline constexpr int Unauthorized = 5;
inline constexpr int HoursTotal = 6;
inline constexpr int Count = 7;
}
