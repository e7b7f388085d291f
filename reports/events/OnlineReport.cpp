#include "reports/events/OnlineReport.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PrintHelpers.h"
#include "core/ReportKind.h"
#include "platform/db/ForwardQuery.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"
#include "reports/events/OnlineReportFill.h"
#include "reports/events/StoredTime.h"
#include "reports/framework/ReportPageHeader.h"
#include "reports/framework/ReportPrintout.h"
#include "reports/framework/ReportTextFile.h"

#include <optional>

namespace {

enum Column { Label, Date, Time, InOut, PinCard, DoorAction };

}

int OnlineReport::kind() const
{
    return ReportKinds::OnLine;
}

bool OnlineReport::fill(const ReportFilters& filters, FillShow& show)
{
    return FillIn_OnlineReport_Tbl(filters, show);
}

// The order of the fill, whatever the sort direction.
ReportQuery OnlineReport::previewQuery(const ReportFilters&) const
{
    return {QStringLiteral("SELECT Employee_Name, Date_CR, Time_CR, Ext_Int_Door, Key_ProxCard, Door_Action "
                           "FROM tblOnlineReport ORDER BY AutoNumber"),
            {}};
}

QList<GridColumn> OnlineReport::gridColumns() const
{
    return {{"Name", 2000},   {"Date", 1250},     {"Time", 1000},
            {"In/Out", 1000}, {"PIN/Card", 1000}, {"Door Action", 1750}};
}

TextFileLayout OnlineReport::textFile() const
{
    TextFileLayout layout;
    layout.widths = {17, 14, 12, 8, 10, 12};
    layout.title = {Translate(QStringLiteral("On Line Report"))};
    layout.headings = {Translate(QStringLiteral("Name")),     Translate(QStringLiteral("Date")),
                       Translate(QStringLiteral("Time")),     Translate(QStringLiteral("In/Out")),
                       Translate(QStringLiteral("PIN/Card")), Translate(QStringLiteral("Door Action"))};
    layout.record = [](const ForwardQuery& row, TextLine& line) {
        line.add(row, Label).addShownDate(row, Date).addClock(row, Time);
        line.add(row, InOut).add(row, PinCard).add(row, DoorAction);
    };
    return layout;
}

int OnlineReport::print(Printer& printer, const ReportFilters& filters, const PrintRun& run)
{
    // Where the page header puts the columns.
    int timeX = 0, inOutX = 0, pinCardX = 0, doorActionX = 0;
    const ReportPages pages{Translate(QStringLiteral("On Line Report")), 300, PageCheck::AfterEachLine,
                            [&](const QString& title, const QString& right, bool continued) {
                                PrintOnLineReportHeader(printer, 300, 100, title, right, timeX, inOutX, pinCardX,
                                                        doorActionX, continued, filters);
                            }};
    // The label carries the number: two employees of one name are two groups.
    std::optional<QString> previousLabel;
    return printReportRows(printer, printQuery(filters), run, pages, [&](const ForwardQuery& rows, Printout& printout) {
        const QString label = rows.field(Label).textOrEmpty();
        if (label != previousLabel) {
            printNameHeading(printer, printout, 300, QStringLiteral("   "), label, 1, 3);
            previousLabel = label;
        }
        printout.bodyLine([&] {
            PrintRow(printer, {{300, DateTimeText::shortDateOfStored(rows.field(Date).textOrEmpty())},
                               {timeX, clockOfStoredTime(rows.field(Time).textOrEmpty())},
                               {inOutX, rows.field(InOut).textOrEmpty()},
                               {pinCardX, rows.field(PinCard).textOrEmpty()},
                               {doorActionX, rows.field(DoorAction).textOrEmpty()}});
        });
    });
}
