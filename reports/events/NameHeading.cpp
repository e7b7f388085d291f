#include "reports/events/NameHeading.h"

#include "core/PrintHelpers.h"
#include "core/Printout.h"
#include "platform/printing/Printer.h"

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
