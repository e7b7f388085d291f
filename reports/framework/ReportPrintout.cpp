#include "reports/framework/ReportPrintout.h"

#include "core/AppState.h"
#include "core/PrintHelpers.h"
#include "platform/db/ForwardQuery.h"
#include "platform/printing/Printer.h"
#include "reports/framework/Report.h"

int printReportRows(Printer& printer, const ReportQuery& source, const PrintRun& run, const ReportPages& pages,
                    const std::function<void(const ForwardQuery& row, Printout& printout)>& line)
{
    ForwardQuery rows(Db(), source.sql, source.params);
    if (!rows.next())
        return 0;
    const QString right = PrintedAtText(run.now);
    PrintoutLayout layout;
    layout.footerX = pages.x;
    layout.check = pages.check;
    layout.notice = run.notice;
    Printout printout(
        printer, [&](bool continued) { pages.header(pages.title, right, continued); }, layout);
    printer.setFontSize(12);
    int printed = 0;
    do {
        line(rows, printout);
        ++printed;
    } while (rows.next());
    printout.finish();
    return printed;
}

void printNameHeading(Printer& printer, Printout& printout, int16_t x, const QString& before, const QString& name,
                      int emptyLinesAfter, int16_t countedLines)
{
    printout.extraLines([&] {
        printer.setFontSize(12);
        if (printout.lineCounter() > 1)
            printer.printLine();
        printer.setCurrentX(x);
        printer.print(before);
        PrintColumnHeading(printer, name, QString());
        printer.printLine();
        for (int i = 0; i < emptyLinesAfter; ++i)
            printer.printLine();
        printer.setFontSize(12);
    });
    printout.lineCounter() += countedLines;
}
