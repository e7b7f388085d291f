#pragma once

#include "core/AppState.h"
#include "platform/printing/Printer.h"
#include "reports/framework/Report.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

// Code reads written straight into the event log, as the on-line monitor
// records them, with every code the reports look at.
namespace EventLog {

// The week of the tests: Sunday 1 March 2026 to Saturday 7 March 2026.
inline const QString Monday = QStringLiteral("2026-03-02");
inline const QString Tuesday = QStringLiteral("2026-03-03");
inline const QString Wednesday = QStringLiteral("2026-03-04");
inline const QString Thursday = QStringLiteral("2026-03-05");
inline const QString Friday = QStringLiteral("2026-03-06");
inline const QString Saturday = QStringLiteral("2026-03-07");

struct Read {
    int employee = 0;
    QString date;
    QString time;
    QVariant in = 1;     // iIn: 1 In, 2 Out
    QVariant card = 1;   // iCard: 1 card, 2 PIN
    QVariant door = 1;   // iDoor: 1 opened, 2 not opened
    QVariant reason = 0; // iReason: 1 secure mode, 2 time zones, 3 unknown code
    QVariant slot = 0;
    QString code = QStringLiteral("1000001");
};

// A test's world with a new database open and two employees in the register:
// 7 John Smith and 8 Ann Lee. The door settings are a new database's: Monday
// to Friday have a start time and 8 hours.
inline std::unique_ptr<TestEnvironment> openWorld()
{
    auto env = std::make_unique<TestEnvironment>();
    env->openNewDatabase();
    ReportFixture::addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
    ReportFixture::addEmployee(8, QStringLiteral("Ann"), QStringLiteral("Lee"));
    return env;
}

inline void add(const Read& r)
{
    Db().execute(
        QStringLiteral("INSERT INTO tblOnline (Time_CR, Date_CR, Employee_Number, Employee_Full_Name, "
                       "SlotNumber, CardNum, iIn, iDoor, iReason, iCard) VALUES (?, ?, ?, '', ?, ?, ?, ?, ?, ?)"),
        {r.time, r.date, r.employee, r.slot, r.code, r.in, r.door, r.reason, r.card});
}

// One line of a report file: each text padded or cut to its width, then CR LF.
inline QByteArray line(std::initializer_list<std::pair<QString, int>> fields)
{
    QByteArray bytes;
    for (const auto& [text, width] : fields)
        bytes += text.toLatin1().leftJustified(width, ' ', true);
    return bytes + "\r\n";
}

// Fills the report and prints it on a recording printer, at 10:30 on 9 March
// 2026 and without the notice: the rows printed, -1 when the fill failed.
inline int fillAndPrint(Report& report, const ReportFilters& filters, PrintRecord& record)
{
    CountingFillShow show;
    if (!report.fill(filters, show))
        return -1;
    Printer printer(std::make_unique<RecordingPrintBackend>(record));
    return printReport(report, printer, filters, {QDateTime(QDate(2026, 3, 9), QTime(10, 30)), false});
}

// The texts printed at X on a page, below Y, in the order printed; blanks left out.
inline QStringList textsAt(const PrintRecord& record, int page, double x, double below = 0)
{
    QStringList texts;
    for (const PrintRecord::Text& t : record.onPage(page))
        if (t.at.x() == x && t.at.y() > below && !t.text.trimmed().isEmpty())
            texts << t.text;
    return texts;
}

}
