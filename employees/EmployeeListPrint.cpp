#include "employees/EmployeeListPrint.h"

#include "core/Messages.h"
#include "core/PrintHelpers.h"
#include "core/Printout.h"
#include "platform/Clock.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"

namespace {

void PrintListPageHeader(Printer& printer, const QString& dateLine, bool continued)
{
    guarded(507, [&] {
        printer.setCurrentX(600);
        printer.setCurrentY(100);
        printer.setFontSize(10);
        printer.setFontName(QStringLiteral("Arial"));
        printer.setFontBold(false);
        printer.setFontUnderline(false);
        if (continued)
            printer.print(Translate(QStringLiteral("Continue")) + QStringLiteral(" --- "));
        printer.setCurrentX(printer.scaleWidth() - printer.textWidth(dateLine));
        printer.printLine(dateLine);
        printer.setFontUnderline(true);
        printer.setFontSize(12);
        printer.setFontBold(true);
        const QString title = Translate(QStringLiteral("Employees' List"));
        printer.setCurrentX(printer.scaleWidth() / 2 - printer.textWidth(title) / 2);
        printer.printLine(title);
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
        const QDateTime now = programClock().now();
        const QString dateLine = Translate(QStringLiteral("Printed at: ")) + DateTimeText::shortDate(now.date()) +
                                 QLatin1Char(' ') + now.time().toString(QStringLiteral("HH:mm"));
        PrintoutLayout layout;
        layout.footerX = 600;
        printer.setDocumentName(Translate(QStringLiteral("Employees' List")));
        Printout printout(
            printer, [&](bool continued) { PrintListPageHeader(printer, dateLine, continued); }, layout);
        printer.setFontSize(12);
        for (const EmployeeListLine& line : lines) {
            printout.bodyLine([&] {
                printer.setCurrentX(600);
                printer.print(line.number);
                printer.setCurrentX(2000);
                printer.print(line.lastName);
                printer.setCurrentX(4000);
                printer.print(line.firstName);
                printer.setCurrentX(6000);
                printer.print(line.slot);
                printer.setCurrentX(7000);
                printer.printLine(line.access);
            });
        }
        printout.finish();
    });
}
