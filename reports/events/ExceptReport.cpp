#include "reports/events/ExceptReport.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PrintHelpers.h"
#include "core/ReportKind.h"
#include "platform/db/ForwardQuery.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"
#include "reports/events/ExceptReportFill.h"
#include "reports/framework/ReportPageHeader.h"
#include "reports/framework/ReportPrintout.h"
#include "reports/framework/ReportTextFile.h"

#include <optional>

namespace {

// An employee's closing row stays last in his rows whichever way the days run.
// Upwards that is the order the fill wrote the rows in, which the table gives
// without sorting: the preview of years opens at once.
QString order(const ReportFilters& filters)
{
    if (filters.sort == SortDirection::Ascending)
        return QStringLiteral(" ORDER BY AutoNumber");
    return QStringLiteral(" ORDER BY Employee_Number, IsTotal, AutoNumber ") + sortKeyword(filters.sort);
}

// The rows of the file and of the printout.
const QString Columns = QStringLiteral("SELECT Employee_Name, Date, NumHourNeed, NumHourDid, ExceptHours, GlobalHours, "
                                       "IsTotal FROM tblExceptReport");

enum Column { Name, Date, Need, Did, Missing, Global, IsTotal };

TextFileLayout layoutOf(const ReportFilters* filters)
{
    TextFileLayout layout;
    // Wide enough for "Datum: " and a short date of four-digit years.
    layout.widths = {17, 14, 17, 16, 16};
    layout.title = {Translate(QStringLiteral("Incomplete Hours")),
                    QLatin1Char(' ') + Translate(QStringLiteral("Report"))};
    if (filters)
        layout.title << Translate(QStringLiteral("Date")) + QStringLiteral(": ") +
                            DateTimeText::shortDate(filters->fromDate)
                     << QStringLiteral(" - ") + DateTimeText::shortDate(filters->toDate)
                     << Translate(QStringLiteral("Emp")) + QStringLiteral(" : ") + filters->fromEmployeeText +
                            QStringLiteral(" - ") + filters->toEmployeeText;
    layout.headings = {Translate(QStringLiteral("Name")), Translate(QStringLiteral("Date")),
                       Translate(QStringLiteral("Schedual Hours")), Translate(QStringLiteral("Actual Hours")),
                       Translate(QStringLiteral("Missing Hours"))};
    layout.record = [](const ForwardQuery& row, TextLine& line) {
        for (int c = Name; c <= Missing; ++c)
            c == Date ? line.addShownDate(row, c) : line.add(row, c);
    };
    layout.closing = {{QStringLiteral("(*)") + Translate(QStringLiteral("Incompleted Data"))}};
    return layout;
}

}

int ExceptReport::kind() const
{
    return ReportKinds::IncompleteHours;
}

bool ExceptReport::fill(const ReportFilters& filters, FillShow& show)
{
    return FillIn_ExceptReport_Tbl(filters, show);
}

ReportQuery ExceptReport::previewQuery(const ReportFilters& filters) const
{
    return {
        QStringLiteral("SELECT AutoNumber, Employee_Number, Employee_Name, Date, NumHourNeed, NumHourDid, ExceptHours, "
                       "Total, GlobalHours FROM qryIncompletedHours WHERE Total > 0") +
            order(filters),
        {}};
}

QList<GridColumn> ExceptReport::gridColumns() const
{
    return {{nullptr, 0},
            {nullptr, 0},
            {"Name", 1600},
            {"Date", 1100},
            {"Schedule Hours", 1500},
            {"Actual Hours", 1250},
            {"Missing Hours", 1250},
            {nullptr, 0},
            {"Global Hours", 1250}};
}

// Every row, the closing rows of employees never short among them.
ReportQuery ExceptReport::saveQuery(const ReportFilters& filters) const
{
    return {Columns + order(filters), {}};
}

TextFileLayout ExceptReport::textFile() const
{
    return layoutOf(nullptr);
}

TextFileLayout ExceptReport::textFileFor(const ReportFilters& filters) const
{
    return layoutOf(&filters);
}

ReportQuery ExceptReport::printQuery(const ReportFilters& filters) const
{
    return {Columns + QStringLiteral(" WHERE Total > 0") + order(filters), {}};
}

int ExceptReport::print(Printer& printer, const ReportFilters& filters, const PrintRun& run)
{
    // Where the page header puts the columns.
    int needX = 0, didX = 0, missingX = 0, globalX = 0;
    const ReportPages pages{Translate(QStringLiteral("Incomplete Hours Report")), 300, PageCheck::AfterEachLine,
                            [&](const QString& title, const QString& right, bool continued) {
                                PrintExceptReportHeader(printer, 300, 100, title, right, needX, didX, missingX, globalX,
                                                        continued, filters);
                            }};
    std::optional<QString> previousName;
    return printReportRows(printer, printQuery(filters), run, pages, [&](const ForwardQuery& rows, Printout& printout) {
        const QString name = rows.field(Name).textOrEmpty();
        if (rows.value(IsTotal).toInt() == 1) {
            const QString total = name + QLatin1Char(' ') + Translate(QStringLiteral("Incompleted")) +
                                  rows.field(Missing).textOrEmpty() + QStringLiteral(" Hours.");
            printout.extraLines([&] {
                PrintRow(printer, {{300, QString(65, QLatin1Char('='))}});
                PrintRow(printer, {{300, total}});
            });
            printout.lineCounter() += 2;
            return;
        }
        if (name != previousName) {
            printNameHeading(printer, printout, 300, QString(), name, 0, 3);
            previousName = name;
        }
        printout.bodyLine([&] {
            PrintRow(printer, {{300, DateTimeText::shortDateOfStored(rows.field(Date).textOrEmpty())},
                               {needX, QStringLiteral("     ") + rows.field(Need).textOrEmpty()},
                               {didX, rows.field(Did).textOrEmpty()},
                               {missingX, rows.field(Missing).textOrEmpty()},
                               {globalX, rows.field(Global).textOrEmpty()}});
        });
    });
}
