#include "reports/framework/LateReportFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/ForwardQuery.h"
#include "platform/db/RepeatedStatement.h"
#include "platform/text/DateTimeText.h"
#include "reports/framework/FillCalendar.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/HoursReportFill.h"
#include "reports/framework/HoursText.h"
#include "reports/framework/Report.h"
#include "reports/framework/SlicedRows.h"
#include "reports/framework/WorkTableFill.h"
#include "reports/framework/WorkingCalendar.h"

#include <QHash>

namespace {

constexpr int16_t FillProcId = 902;
constexpr int16_t CalendarProcId = 2903;

// A start time the lateness is measured from: its text, and its minute.
struct Start {
    QByteArray text;
    std::optional<int> minute;

    explicit Start(QByteArray t = {}) : text(std::move(t)), minute(HoursText::secondOfDay(QByteArrayView(text)))
    {
        if (minute)
            *minute /= 60;
    }
    bool isEmpty() const { return text.isEmpty(); }
    int minuteOrFail() const
    {
        if (!minute)
            raiseError(Err::TypeMismatch, QStringLiteral("Type mismatch (time '%1')").arg(QString::fromUtf8(text)));
        return *minute;
    }
};

// The columns of qryForLateReport the computation reads, as it selects them.
enum Column { Number, Label, Day, OwnStart, FirstIn, Present, Global };

// A day "YYYY-MM-DD" as a number, to look it up without making a text of it.
int dayKey(QByteArrayView day)
{
    int key = 0;
    for (char c : day)
        if (c >= '0' && c <= '9')
            key = key * 10 + (c - '0');
    return day.size() == 10 ? key : -1;
}

// The rows go straight from the query's columns into the insert, as bytes.
class LateRows {
public:
    LateRows()
        : m_insert(Db(), QStringLiteral("INSERT INTO tblLateReport (Employee_Number, Employee_Name, Date, "
                                        "StartTimeNeed, StartTimeDid, LateMinute, PresentHours, GlobalWorked, "
                                        "TotalDays, TotalHours, TotalMinutes, IsTotal) "
                                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")),
          m_totalWord(totalWord().toUtf8())
    {
    }

    void startEmployee(const ForwardQuery& row)
    {
        m_number = row.integer(Number);
        m_label = row.bytes(Label).toByteArray();
    }

    // `own`: the start time is the employee's own.
    void day(const ForwardQuery& row, const Start& scheduled, bool own = false)
    {
        const QByteArrayView firstIn = row.bytes(FirstIn);
        const std::optional<int> second = HoursText::secondOfDay(firstIn);
        if (!second)
            raiseError(Err::TypeMismatch, QStringLiteral("Type mismatch (time '%1')").arg(QString::fromUtf8(firstIn)));
        if (own && !scheduled.minute)
            raiseError(Err::TypeMismatch, QStringLiteral("Type mismatch (start time '%1' of employee %2 on %3)")
                                              .arg(QString::fromUtf8(scheduled.text), QString::fromUtf8(m_label),
                                                   DateTimeText::shortDateOfStored(QString::fromUtf8(row.bytes(Day)))));
        const int late = *second / 60 - scheduled.minuteOrFail();
        if (late <= 0)
            return;
        ++m_days;
        m_minutes += late;
        const QByteArray lateText = HoursText::hoursMinutes(late).toUtf8();
        m_insert.bindInteger(0, m_number);
        m_insert.bindText(1, QByteArrayView(m_label));
        m_insert.bindText(2, row.bytes(Day));
        m_insert.bindText(3, QByteArrayView(scheduled.text));
        m_insert.bindText(4, firstIn);
        m_insert.bindText(5, QByteArrayView(lateText));
        bindColumn(6, row, Present);
        bindColumn(7, row, Global);
        m_insert.bindInteger(8, m_days);
        m_insert.bindNull(9);
        m_insert.bindNull(10);
        m_insert.bindInteger(11, 0);
        m_insert.run();
    }

    void total()
    {
        const QByteArray lateText = HoursText::hoursMinutes(m_minutes).toUtf8();
        const QByteArray hours = HoursText::str(m_minutes / 60).toUtf8();
        const QByteArray minutes = HoursText::str(m_minutes % 60).toUtf8();
        m_insert.bindInteger(0, m_number);
        m_insert.bindText(1, QByteArrayView(m_label));
        m_insert.bindText(2, QByteArrayView(m_totalWord));
        m_insert.bindNull(3);
        m_insert.bindNull(4);
        m_insert.bindText(5, QByteArrayView(lateText));
        m_insert.bindNull(6);
        m_insert.bindNull(7);
        m_insert.bindInteger(8, m_days);
        m_insert.bindText(9, QByteArrayView(hours));
        m_insert.bindText(10, QByteArrayView(minutes));
        m_insert.bindInteger(11, 1);
        m_insert.run();
        m_days = 0;
        m_minutes = 0;
    }

private:
    void bindColumn(int position, const ForwardQuery& row, int column)
    {
        if (row.isNull(column))
            m_insert.bindNull(position);
        else
            m_insert.bindText(position, row.bytes(column));
    }

    RepeatedStatement m_insert;
    QByteArray m_totalWord;
    qint64 m_number = 0;
    QByteArray m_label;
    qint64 m_days = 0;
    qint64 m_minutes = 0;
};

bool anyHoursRow()
{
    ForwardQuery hours(Db(), QStringLiteral("SELECT 1 FROM tblHoursReport LIMIT 1"));
    return hours.next();
}

bool fillLateRows(const WorkingCalendar& calendar, const QString& defaultStartTime, FillSteps& steps)
{
    if (!anyHoursRow())
        return false;
    // The working-hours table holds each employee's rows together, in the order computed.
    SlicedRows rows(QStringLiteral("tblHoursReport"),
                    QStringLiteral("SELECT Employee_Number, Employee_Name, Date, OwnStartTime, FirstIn, DayTotal, "
                                   "GlobalTotal FROM qryForLateReport "
                                   "WHERE AutoNumber > ? AND AutoNumber <= ? ORDER BY AutoNumber"),
                    {}, steps);
    if (!rows.next())
        return false;
    const ForwardQuery& days = rows.row();
    const Start defaultStart(defaultStartTime.toUtf8());
    // A day's group start time, asked once a day.
    QHash<int, Start> groupStart;
    LateRows late;
    late.startEmployee(days);
    qint64 number = days.integer(Number);
    do {
        if (days.integer(Number) != number) {
            late.total();
            late.startEmployee(days);
            number = days.integer(Number);
        }
        const QByteArrayView date = days.bytes(Day);
        auto group = groupStart.constFind(dayKey(date));
        if (group == groupStart.constEnd()) {
            const QDate day = QDate::fromString(QString::fromUtf8(date), Qt::ISODate);
            if (!day.isValid())
                refuseUnreadableDay(QString::fromUtf8(date), QString::fromUtf8(days.bytes(Label)));
            group = groupStart.insert(dayKey(date), Start(calendar.scheduledStartTime(day).toUtf8()));
        }
        if (!group->isEmpty()) {
            late.day(days, *group);
            continue;
        }
        // An employee's own start time counts when it is a time: "__:__", "" and Null are none.
        const QByteArrayView own = days.isNull(OwnStart) ? QByteArrayView() : days.bytes(OwnStart);
        if (!own.isEmpty() && own != QByteArrayView("__:__"))
            late.day(days, Start(own.toByteArray()), true);
        else
            late.day(days, defaultStart);
    } while (rows.next());
    late.total();
    return true;
}

}

bool FillIn_LateReport_Tbl(const ReportFilters& filters, FillShow& show)
{
    if (!FillIn_HoursReport_Tbl(filters, show)) {
        // Rows of an earlier run would pass for this one's.
        try {
            Db().execute(QStringLiteral("DELETE FROM tblLateReport"));
        } catch (const AppError&) {
        }
        return false;
    }
    // The door settings as they stand when the fill starts, read once.
    const WorkingCalendar calendar = calendarForFill(CalendarProcId);
    return refillWorkTable(FillProcId, QStringLiteral("tblLateReport"), show, [&](FillSteps& steps) {
        return fillLateRows(calendar, filters.defaultStartTime.value_or(appState().DefaultStartTime), steps);
    });
}
