#include "reports/framework/Report.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ReportKind.h"
#include "platform/BackgroundTask.h"
#include "platform/db/ForwardQuery.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"
#include "reports/framework/HoursText.h"
#include "reports/framework/ReportTextFile.h"

bool hasRows(const ReportQuery& query)
{
    ForwardQuery rows(Db(), QStringLiteral("SELECT EXISTS (") + query.sql + QLatin1Char(')'), query.params);
    return rows.next() && rows.value(0).toInt() != 0;
}

bool anyEventInRange(const ReportFilters& filters)
{
    // Each number of the range is sought with the first day, up to the
    // highest number the log holds: the log's other days are never read.
    ForwardQuery probe(Db(),
                       QStringLiteral("WITH RECURSIVE number(n) AS (SELECT ? UNION ALL SELECT n + 1 FROM number "
                                      "WHERE n < min(?, (SELECT max(Employee_Number) FROM tblOnline))) "
                                      "SELECT 1 FROM number CROSS JOIN tblOnline INDEXED BY tblOnline_Attendance "
                                      "ON Employee_Number = number.n AND Date_CR BETWEEN ? AND ? LIMIT 1"),
                       filters.rangeParams());
    return probe.next();
}

int writeReportFile(const QString& path, const TextFileLayout& layout, const ReportQuery& rows)
{
    ReportTextFile file(path, layout.widths);
    file.writeLine(layout.title);
    file.writeLine(layout.rule.isEmpty() ? asteriskRule(layout.widths) : layout.rule);
    file.writeLine(layout.headings);
    int written = 0;
    ForwardQuery query(Db(), rows.sql, rows.params);
    while (query.next()) {
        TextLine& line = file.row();
        layout.record(query, line);
        line.end();
        file.writeRow();
        // Closing its window meanwhile drops the file.
        if (++written % 4096 == 0)
            BackgroundTask::stopIfRequested();
    }
    for (const QStringList& line : layout.closing)
        file.writeLine(line);
    file.commit();
    return written;
}

int printReport(Report& report, Printer& printer, const ReportFilters& filters, const PrintRun& run)
{
    SetReportKind(report.kind());
    // The job is named as the report's text file is titled.
    const QStringList title = report.textFileFor(filters).title;
    printer.setDocumentName((title.value(0) + QLatin1Char(' ') + title.value(1)).simplified());
    return report.print(printer, filters, run);
}

QString totalWord()
{
    return Translate(QStringLiteral("Total"));
}

QString printedPagesText()
{
    return HoursText::str(appState().PrintedPage);
}
