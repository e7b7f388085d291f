#include "reports/events/UnauthorizedReport.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PrintHelpers.h"
#include "core/ReportKind.h"
#include "platform/db/ForwardQuery.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"
#include "reports/events/StoredTime.h"
#include "reports/events/UnauthorizedReportFill.h"
#include "reports/framework/ReportPageHeader.h"
#include "reports/framework/ReportPrintout.h"
#include "reports/framework/ReportTextFile.h"

namespace {

const QString Columns = QStringLiteral("SELECT AutoNum, Employee_Number, date, time, InOut, Employee_Name, SlotNumber, "
                                       "Code, CardPin, Door_Action, Reason FROM tblUnauthorized ORDER BY ");

enum Column { Date = 2, Time = 3, Name = 5, Slot = 6, Code = 7, DoorAction = 9, Reason = 10 };

}

int UnauthorizedReport::kind() const
{
    return ReportKinds::Unauthorized;
}

bool UnauthorizedReport::fill(const ReportFilters& filters, FillShow& show)
{
    return FillIn_Unauthorized_Tbl(filters, show);
}

ReportQuery UnauthorizedReport::previewQuery(const ReportFilters& filters) const
{
    const QString direction = sortKeyword(filters.sort);
    return {Columns + QStringLiteral("date %1, time %1, AutoNum %1").arg(direction), {}};
}

QList<GridColumn> UnauthorizedReport::gridColumns() const
{
    return {{nullptr, 0},   {nullptr, 0},    {"Date", 1000}, {"Time", 1000},        {nullptr, 0},    {"Name", 1600},
            {"Slot#", 700}, {"Code#", 1250}, {nullptr, 0},   {"Door Action", 1500}, {"Reason", 1250}};
}

// The order the rows were found in: registered employees first, then unknown codes.
ReportQuery UnauthorizedReport::saveQuery(const ReportFilters& filters) const
{
    return {Columns + QStringLiteral("AutoNum ") + sortKeyword(filters.sort), {}};
}

// The printout lists the rows as the file does.
ReportQuery UnauthorizedReport::printQuery(const ReportFilters& filters) const
{
    return saveQuery(filters);
}

TextFileLayout UnauthorizedReport::textFile() const
{
    TextFileLayout layout;
    layout.widths = {13, 8, 15, 6, 11, 14, 14};
    layout.title = {Translate(QStringLiteral("Unauthorized")), QLatin1Char(' ') + Translate(QStringLiteral("Report"))};
    layout.rule = {QString(13, QLatin1Char('*')), QString(8, QLatin1Char('*')),  QString(15, QLatin1Char('*')),
                   QString(6, QLatin1Char('*')),  QString(11, QLatin1Char('*')), QString(14, QLatin1Char('*')),
                   QString(8, QLatin1Char('*'))};
    layout.headings = {Translate(QStringLiteral("Date")),  Translate(QStringLiteral("Time")),
                       Translate(QStringLiteral("Name")),  Translate(QStringLiteral("Slot#")),
                       Translate(QStringLiteral("Code#")), Translate(QStringLiteral("Door Action")),
                       Translate(QStringLiteral("Reason"))};
    layout.record = [](const ForwardQuery& row, TextLine& line) {
        line.addShownDate(row, Date).addClock(row, Time).add(row, Name).add("  ", row, Slot);
        line.add(row, Code).add(row, DoorAction).add(row, Reason);
    };
    return layout;
}

int UnauthorizedReport::print(Printer& printer, const ReportFilters& filters, const PrintRun& run)
{
    // Where the page header puts the columns.
    int timeX = 0, nameX = 0, slotX = 0, codeX = 0, doorActionX = 0, reasonX = 0;
    const ReportPages pages{Translate(QStringLiteral("UnAuthorized Report")), 300, PageCheck::BeforeEachLine,
                            [&](const QString& title, const QString& right, bool continued) {
                                PrintUnauthReportHeader(printer, 300, 100, title, right, timeX, nameX, slotX, codeX,
                                                        doorActionX, reasonX, continued, filters);
                            }};
    return printReportRows(printer, printQuery(filters), run, pages, [&](const ForwardQuery& rows, Printout& printout) {
        printout.bodyLine([&] {
            PrintRow(printer, {{300, DateTimeText::shortDateOfStored(rows.field(Date).textOrEmpty())},
                               {timeX, clockOfStoredTime(rows.field(Time).textOrEmpty())},
                               {slotX, rows.field(Slot).textOrEmpty()},
                               {codeX, rows.field(Code).textOrEmpty()},
                               {doorActionX, rows.field(DoorAction).textOrEmpty()},
                               {reasonX, rows.field(Reason).textOrEmpty()},
                               {nameX, rows.field(Name).textOrEmpty()}});
        });
    });
}
