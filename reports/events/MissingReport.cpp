#include "reports/events/MissingReport.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PrintHelpers.h"
#include "core/ReportKind.h"
#include "platform/db/ForwardQuery.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"
#include "reports/events/MissingReportFill.h"
#include "reports/framework/ReportPageHeader.h"
#include "reports/framework/ReportPrintout.h"
#include "reports/framework/ReportTextFile.h"

#include <optional>

int MissingReport::kind() const
{
    return ReportKinds::Absence;
}

bool MissingReport::fill(const ReportFilters& filters, FillShow& show)
{
    return FillIn_MissingReport_Tbl(filters, show);
}

// The days of an employee were written in order: their numbers sort them.
ReportQuery MissingReport::previewQuery(const ReportFilters& filters) const
{
    return {QStringLiteral("SELECT Employee_Name, Date FROM tblMissingReport ORDER BY Employee_Number, MissNum ") +
                sortKeyword(filters.sort),
            {}};
}

QList<GridColumn> MissingReport::gridColumns() const
{
    return {{"Name", 2500}, {"Date", 1750}};
}

TextFileLayout MissingReport::textFile() const
{
    TextFileLayout layout;
    layout.widths = {40, 40};
    layout.title = {Translate(QStringLiteral("Absence Report")), QStringLiteral(" ")};
    layout.headings = {Translate(QStringLiteral("Name")), Translate(QStringLiteral("Date"))};
    layout.record = [](const ForwardQuery& row, TextLine& line) { line.add(row, 0).addShownDate(row, 1); };
    return layout;
}

int MissingReport::print(Printer& printer, const ReportFilters& filters, const PrintRun& run)
{
    const ReportPages pages{Translate(QStringLiteral("Absence Report")), 1000, PageCheck::AfterEachLine,
                            [&](const QString& title, const QString& right, bool continued) {
                                PrintMissingReportHeader(printer, 1000, 100, title, right, continued, filters);
                                // The header leaves bold on; the employee's name is not repeated on a later page.
                                if (continued)
                                    printer.setFontBold(false);
                            }};
    std::optional<QString> previousName;
    return printReportRows(printer, printQuery(filters), run, pages, [&](const ForwardQuery& rows, Printout& printout) {
        const QString name = rows.field(0).textOrEmpty();
        if (name != previousName) {
            printNameHeading(printer, printout, 1000, QStringLiteral(" "), name, 0, 2);
            previousName = name;
        }
        printout.bodyLine([&] {
            PrintRow(printer, {{1000, DateTimeText::shortDateOfStored(rows.field(1).textOrEmpty())}});
        });
    });
}
