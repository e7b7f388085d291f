#include "reports/framework/EmployeePagesPrint.h"

#include "core/AppState.h"
#include "core/PrintHelpers.h"
#include "core/Printout.h"
#include "platform/db/ForwardQuery.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"

int printEmployeePages(Printer& printer, const ReportQuery& source, const EmployeePages& pages, const PrintRun& run)
{
    ForwardQuery rows(Db(), source.sql, source.params);
    if (!rows.next())
        return 0;
    QString title = rows.value(0).toString();
    std::vector<int> valueX(static_cast<size_t>(pages.valueColumns), 0);
    PrintoutLayout layout;
    layout.footerX = pages.x;
    layout.check = PageCheck::BeforeEachLine;
    layout.noticeText = pages.noticeText;
    layout.notice = run.notice;
    Printout* started = nullptr;
    Printout printout(
        printer,
        [&](bool) {
            pages.header(title, valueX);
            printer.setFontSize(12);
            printer.setCurrentX(pages.x);
            if (started && pages.headerLinesEveryPage)
                started->lineCounter() += static_cast<int16_t>(pages.headerLines);
        },
        layout);
    started = &printout;
    printout.lineCounter() += static_cast<int16_t>(pages.headerLines);
    QVariant key = rows.value(pages.keyColumn);
    int printed = 0;
    do {
        if (rows.value(pages.keyColumn) != key)
            printout.breakBeforeNextLine();
        key = rows.value(pages.keyColumn);
        title = rows.value(0).toString();
        const bool total = rows.value(pages.totalColumn).toInt() == 1;
        printout.bodyLine([&] {
            if (total)
                PrintRow(printer, {{0, QString(51, QLatin1Char('='))}});
            QList<PrintColumn> row{{pages.x, DateTimeText::shortDateOfStored(rows.field(1).textOrEmpty())}};
            for (int v = 0; v < pages.valueColumns; ++v)
                row.append({valueX[static_cast<size_t>(v)], rows.field(2 + v).textOrEmpty()});
            PrintRow(printer, row);
        });
        ++printed;
    } while (rows.next());
    printout.finish();
    return printed;
}
