#include "reports/framework/LateReport.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PrintHelpers.h"
#include "core/Printout.h"
#include "core/ReportKind.h"
#include "platform/db/ForwardQuery.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"
#include "reports/framework/LateReportFill.h"
#include "reports/framework/ReportPageHeader.h"
#include "reports/framework/ReportPrintout.h"
#include "reports/framework/ReportTextFile.h"

#include <optional>

namespace {

const QString Columns = QStringLiteral("SELECT AutoNumber, Employee_Number, Employee_Name, Date, StartTimeNeed, "
                                       "StartTimeDid, LateMinute, PresentHours, GlobalWorked, TotalDays, TotalHours, "
                                       "TotalMinutes");

// The total row stays last in each employee's rows whichever way the days run.
// Upwards that is the order the fill wrote the rows in, which the table gives
// without sorting: the preview of years opens at once.
QString order(const ReportFilters& filters)
{
    if (filters.sort == SortDirection::Ascending)
        return QStringLiteral(" ORDER BY AutoNumber");
    return QStringLiteral(" ORDER BY Employee_Number, IsTotal, AutoNumber ") + sortKeyword(filters.sort);
}

enum Column { Name = 2, Date = 3, Need = 4, Did = 5, Late = 6, TotalDays = 9, IsTotal = 12 };

}

int LateReport::kind() const
{
    return ReportKinds::LateArrival;
}

bool LateReport::fill(const ReportFilters& filters, FillShow& show)
{
    return FillIn_LateReport_Tbl(filters, show);
}

ReportQuery LateReport::previewQuery(const ReportFilters& filters) const
{
    return {Columns + QStringLiteral(" FROM tblLateReport WHERE TotalDays > 0") + order(filters), {}};
}

QList<GridColumn> LateReport::gridColumns() const
{
    return {
        {nullptr, 0},           {nullptr, 0},   {"Name", 1750},       {"Date", 1000},       {"Start Schedule", 1350},
        {"Start Actual", 1350}, {"Late", 1000}, {"Present Hours", 0}, {"Global Worked", 0}, {nullptr, 0},
        {nullptr, 0},           {nullptr, 0}};
}

ReportQuery LateReport::saveQuery(const ReportFilters& filters) const
{
    return {Columns + QStringLiteral(" FROM tblLateReport") + order(filters), {}};
}

TextFileLayout LateReport::textFile() const
{
    TextFileLayout layout;
    // Wide enough for a short date of four-digit years with a month's name.
    layout.widths = {15, 11, 15, 15, 7, 15};
    layout.title = {Translate(QStringLiteral("Late Arrival")),
                    QLatin1Char(' ') + Translate(QStringLiteral("Report")) + QLatin1Char(' ')};
    layout.rule = asteriskRule({15, 11, 15, 15, 7});
    layout.headings = {Translate(QStringLiteral("Name")), Translate(QStringLiteral("Date")),
                       Translate(QStringLiteral("Schedual Start")), Translate(QStringLiteral("Actual Start")),
                       Translate(QStringLiteral("Late"))};
    layout.record = [](const ForwardQuery& row, TextLine& line) {
        line.add(row, Name).addShownDate(row, Date).add(" ", row, Need).add(" ", row, Did).add(" ", row, Late);
    };
    return layout;
}

ReportQuery LateReport::printQuery(const ReportFilters& filters) const
{
    return {Columns + QStringLiteral(", IsTotal FROM tblLateReport WHERE TotalDays > 0") + order(filters), {}};
}

int LateReport::print(Printer& printer, const ReportFilters& filters, const PrintRun& run)
{
    // Where the page header puts the columns.
    int scheduleX = 0, actualX = 0, lateX = 0;
    const ReportPages pages{Translate(QStringLiteral("Late Arrival Report")), 500, PageCheck::AfterEachLine,
                            [&](const QString& title, const QString& right, bool continued) {
                                PrintLateReportHeader(printer, 500, 100, title, right, scheduleX, actualX, lateX,
                                                      continued, filters);
                            }};
    std::optional<QString> previousName;
    return printReportRows(printer, printQuery(filters), run, pages, [&](const ForwardQuery& rows, Printout& printout) {
        const QString name = rows.field(Name).textOrEmpty();
        if (rows.value(IsTotal).toInt() == 1) {
            if (rows.value(TotalDays).toLongLong() > 0) {
                const QString total = name + QLatin1Char(' ') + Translate(QStringLiteral("Late")) + QLatin1Char(' ') +
                                      rows.field(Late).textOrEmpty() + QStringLiteral(" Hours.");
                printout.extraLines([&] {
                    PrintRow(printer, {{500, QString(66, QLatin1Char('='))}});
                    PrintRow(printer, {{500, total}});
                });
                printout.lineCounter() += 2;
            }
            return;
        }
        if (name != previousName) {
            printNameHeading(printer, printout, 500, QStringLiteral(" "), name, 0, 3);
            previousName = name;
        }
        printout.bodyLine([&] {
            PrintRow(printer, {{500, DateTimeText::shortDateOfStored(rows.field(Date).textOrEmpty())},
                               {scheduleX, QStringLiteral("    ") + rows.field(Need).textOrEmpty()},
                               {actualX, rows.field(Did).textOrEmpty()},
                               {lateX, rows.field(Late).textOrEmpty()}});
        });
    });
}
