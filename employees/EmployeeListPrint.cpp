#include "employees/EmployeeListPrint.h"

#include "core/Messages.h"
#include "core/PrintHelpers.h"
#include "core/Printout.h"
#include "platform/Clock.h"
#include "platform/printing/Printer.h"

namespace {

void PrintListPageHeader(Printer& printer, const QString& dateLine, bool continued)
{
    guarded(507, [&] {
        PrintHeaderStart(printer, 600, 100, continued ? ContinuationMark() : QString(), dateLine);
        printer.setFontUnderline(true);
        printer.setFontSize(12);
        printer.setFontBold(true);
        PrintCentredLine(printer, Translate(QStringLiteral("Employees' List")));
        printer.printLine();
        const std::pair<int, const char*> headings[5] = {
            {600, "Employee#"}, {2000, "Last Name"}, {4000, "First Name"}, {6000, "Slot#"}, {7000, "Access"}};
        for (const auto& [left, heading] : headings) {
            printer.setCurrentX(left);
            PrintColumnHeading(printer, Translate(QString::fromLatin1(heading)), QString());
        }
        printer.printLine();
        printer.printLine();
    });
}

}

void PrintEmployeeList(Printer& printer, const QList<EmployeeListLine>& lines)
{
    guarded(506, [&] {
        const QString dateLine = PrintedAtText(programClock().now());
        PrintoutLayout layout;
        layout.footerX = 600;
        printer.setDocumentName(Translate(QStringLiteral("Employees' List")));
        Printout printout(
            printer, [&](bool continued) { PrintListPageHeader(printer, dateLine, continued); }, layout);
        printer.setFontSize(12);
        for (const EmployeeListLine& line : lines) {
            printout.bodyLine([&] {
                PrintRow(printer, {{600, line.number},
                                   {2000, line.lastName},
                                   {4000, line.firstName},
                                   {6000, line.slot},
                                   {7000, line.access}});
            });
        }
        printout.finish();
    });
}
