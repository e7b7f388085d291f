#include "reports/framework/ReportPrintout.h"

#include "core/PrintHelpers.h"
#include "platform/printing/Printer.h"
#include "reports/framework/Report.h"

PrintoutLayout reportPrintoutLayout(int16_t footerX, PageCheck check, const PrintRun& run)
{
    PrintoutLayout layout;
    layout.footerX = footerX;
    layout.check = check;
    layout.notice = run.notice;
    return layout;
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
