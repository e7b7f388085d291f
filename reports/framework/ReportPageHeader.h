#pragma once

#include "reports/framework/ReportFilters.h"

#include <QList>
#include <QString>
#include <cstdint>

class Printer;

// The head of every printed report page: on the first line the report's name or
// the continuation mark at the left and the time of printing at the right edge;
// the company name; the title; on a first page the date and employee ranges of
// the filters; then the column headings. While the headings print, it measures
// where each column after the first begins and hands those X positions back, so
// the rows line up with the headings in any language and any font.
//
// Each header prints from (X, Y) and leaves the printer at the left edge of the
// line below, "Arial" 12 points, bold and underline off (the absence header
// leaves bold on). A failure is reported with the header's number; what was
// printed stays, outputs not yet measured keep the values they had.

// The seven headers and their parameters, all in twips.
void PrintOnLineReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                             int& TimeX, int& InOutX, int& PinCardX, int& DoorActionX, bool Continued,
                             const ReportFilters& filters);
void PrintExceptReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                             int& ScheduleX, int& ActualX, int& MissingX, int& GlobalX, bool Continued,
                             const ReportFilters& filters);
void PrintLateReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                           int& ScheduleStartX, int& ActualStartX, int& LateX, bool Continued,
                           const ReportFilters& filters);
void PrintMissingReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                              bool Continued, const ReportFilters& filters);
void PrintHoursReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                            int& InX, int& OutX, int& SubTotalX, bool Continued, const ReportFilters& filters);
void PrintUnauthReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                             int& TimeX, int& NameX, int& SlotX, int& CodeX, int& DoorActionX, int& ReasonX,
                             bool Continued, const ReportFilters& filters);
void PrintTotalReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                            int& ActualX, int& GlobalX, bool Continued, const ReportFilters& filters);
