#include "reports/framework/WorkingHoursReport.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PrintHelpers.h"
#include "core/ReportKind.h"
#include "platform/db/ForwardQuery.h"
#include "reports/framework/EmployeePagesPrint.h"
#include "reports/framework/HoursReportFill.h"
#include "reports/framework/ReportPageHeader.h"
#include "reports/framework/ReportTextFile.h"

namespace {

// The rows in the order they were computed, employee by employee, each one's
// total row last, which the table gives without sorting: the preview of years
// opens at once.
const QString Columns = QStringLiteral("Employee_Name, Date, StartTime, EndTime, SumDay, Employee_Number");
const QString Order = QStringLiteral(" FROM qryForWHdetails ORDER BY AutoNumber");

}

int WorkingHoursReport::kind() const
{
    return ReportKinds::HoursDetails;
}

bool WorkingHoursReport::fill(const ReportFilters& filters, FillShow& show)
{
    return FillIn_HoursReport_Tbl(filters, show);
}

ReportQuery WorkingHoursReport::previewQuery(const ReportFilters&) const
{
    return {QStringLiteral("SELECT ") + Columns + Order, {}};
}

QList<GridColumn> WorkingHoursReport::gridColumns() const
{
    return {{"Name", 1750}, {"Date", 1000}, {"In", 750}, {"Out", 750}, {"Sub Total", 1100}, {nullptr, 0}};
}

TextFileLayout WorkingHoursReport::textFile() const
{
    TextFileLayout layout;
    layout.widths = {25, 11, 11, 11, 14};
    layout.title = {Translate(QStringLiteral("Working Hours Details")),
                    QLatin1Char(' ') + Translate(QStringLiteral("Report"))};
    // The headings of this file stay English.
    layout.headings = {QStringLiteral("Name"), QStringLiteral("Date"), QStringLiteral("In"), QStringLiteral("Out"),
                       QStringLiteral("Sub Total")};
    layout.record = [](const ForwardQuery& row, TextLine& line) {
        for (int c = 0; c < 5; ++c)
            c == 1 ? line.addShownDate(row, c) : line.add(row, c);
    };
    return layout;
}

ReportQuery WorkingHoursReport::printQuery(const ReportFilters&) const
{
    return {QStringLiteral("SELECT ") + Columns + QStringLiteral(", IsTotal") + Order, {}};
}

int WorkingHoursReport::print(Printer& printer, const ReportFilters& filters, const PrintRun& run)
{
    const QString right = PrintedAtText(run.now);
    EmployeePages pages;
    pages.x = 300;
    // Every page carries the first page's form of the header.
    pages.header = [&](const QString& title, std::vector<int>& x) {
        PrintHoursReportHeader(printer, 300, 100, title, right, x[0], x[1], x[2], false, filters);
    };
    pages.valueColumns = 3;
    pages.headerLines = 2;
    pages.keyColumn = 5;
    pages.totalColumn = 6;
    pages.noticeText = [] { return printedPagesText() + QStringLiteral(" Page is Printing "); };
    return printEmployeePages(printer, printQuery(filters), pages, run);
}
