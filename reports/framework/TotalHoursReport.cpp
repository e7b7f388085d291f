#include "reports/framework/TotalHoursReport.h"

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

const QString Columns = QStringLiteral("SELECT Employee_Name, Date, DayTotal, GlobalTotal");
// Always in the order computed (employee by employee, each one's total row
// last), which the table gives without sorting: the sort direction plays no
// part here.
const QString Order = QStringLiteral(" FROM qryForTotalReport ORDER BY AutoNumber");

}

int TotalHoursReport::kind() const
{
    return ReportKinds::HoursTotal;
}

bool TotalHoursReport::fill(const ReportFilters& filters, FillShow& show)
{
    return FillIn_HoursReport_Tbl(filters, show);
}

ReportQuery TotalHoursReport::previewQuery(const ReportFilters&) const
{
    return {Columns + Order, {}};
}

QList<GridColumn> TotalHoursReport::gridColumns() const
{
    return {{"Name", 2000}, {"Date", 1500}, {"Actual Hours", 1500}, {"Global Hours", 1250}};
}

TextFileLayout TotalHoursReport::textFile() const
{
    TextFileLayout layout;
    layout.widths = {20, 14, 14, 14};
    layout.title = {QStringLiteral("   ") + Translate(QStringLiteral("Working Hours")),
                    Translate(QStringLiteral("Total Report")) + QLatin1Char(' ')};
    layout.headings = {Translate(QStringLiteral("Name")), Translate(QStringLiteral("Date")),
                       Translate(QStringLiteral("Actual Hours")), Translate(QStringLiteral("Global Hours"))};
    layout.record = [](const ForwardQuery& row, TextLine& line) {
        for (int c = 0; c < 4; ++c)
            c == 1 ? line.addShownDate(row, c) : line.add(row, c);
    };
    layout.closing = {{QStringLiteral("(*)") + Translate(QStringLiteral("Incompleted Data"))}};
    return layout;
}

ReportQuery TotalHoursReport::printQuery(const ReportFilters&) const
{
    return {Columns + QStringLiteral(", IsTotal") + Order, {}};
}

int TotalHoursReport::print(Printer& printer, const ReportFilters& filters, const PrintRun& run)
{
    const QString right = PrintedAtText(run.now);
    EmployeePages pages;
    pages.x = 700;
    // Every page carries the first page's form of the header.
    pages.header = [&](const QString& title, std::vector<int>& x) {
        PrintTotalReportHeader(printer, 700, 100, title, right, x[0], x[1], false, filters);
    };
    pages.valueColumns = 2;
    pages.headerLines = 3;
    pages.headerLinesEveryPage = true;
    pages.keyColumn = 0;
    pages.totalColumn = 4;
    pages.noticeText = [] {
        return printedPagesText() + QLatin1Char(' ') + Translate(QStringLiteral("Page is Printing "));
    };
    return printEmployeePages(printer, printQuery(filters), pages, run);
}
