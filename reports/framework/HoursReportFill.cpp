#include "reports/framework/HoursReportFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/ForwardQuery.h"
#include "platform/db/RepeatedStatement.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/HoursText.h"
#include "reports/framework/Report.h"
#include "reports/framework/WorkTableFill.h"

#include <QHash>
#include <optional>
#include <vector>

namespace {

constexpr int16_t FillProcId = 1012;

// The fields of tblHoursReport after its key, in order; Null where unwritten.
enum Field {
    EmployeeNumber, EmployeeName, Date, StartTime, EndTime, SumDay, DayTotal, DayHours, DayMinutes,
    Incomplete, FirstIn, GlobalTotal, GlobalH, GlobalM, IsTotal, FieldCount
};

using Row = std::vector<QVariant>;

// A text written empty, not left Null.
const QString Empty = QStringLiteral("");

// One employee's rows, day by day, as the events come in time order.
class EmployeeHours {
public:
    EmployeeHours(int number, QString label) : m_number(number), m_label(std::move(label)) {}

    void event(const QString& date, int minute, const QString& timeText, const QVariant& code)
    {
        if (date != m_date) {
            endDay();
            m_date = date;
        }
        const QString t = HoursText::clockText(minute);
        const bool closing = code.toInt() == 2 && m_inOpen && minute >= m_openIn;
        if (closing) {
            Row& row = m_day.back();
            row[EndTime] = t;
            const int interval = minute - m_openIn;
            m_dayWorked += interval;
            m_worked += interval;
            row[SumDay] = HoursText::hoursMinutes(interval);
            m_inOpen = false;
            ++m_outs;
            m_lastOut = minute;
            return;
        }
        Row row(FieldCount);
        row[EmployeeNumber] = m_number;
        row[EmployeeName] = m_label;
        row[Date] = date;
        row[IsTotal] = 0;
        if (code.toInt() == 1) {
            row[StartTime] = t;
            if (!m_firstInRecorded) {
                m_firstInText = timeText;
                m_firstInRecorded = true;
            }
            row[EndTime] = Empty;
            m_openIn = minute;
            ++m_ins;
            m_inOpen = true;
            if (!m_inSeen) {
                m_firstIn = minute;
                m_inSeen = true;
            }
        } else {
            if (!m_inSeen)
                m_outBeforeFirstIn = true;
            row[EndTime] = t;
            row[StartTime] = Empty;
            ++m_outs;
            m_inOpen = m_inOpen && minute < m_openIn;
            m_lastOut = minute;
        }
        m_day.push_back(std::move(row));
    }

    // The day's last row gets the day's totals; then the rows go out.
    void endDay()
    {
        if (m_day.empty())
            return;
        Row& last = m_day.back();
        QString dayTotal = Empty;
        if (m_dayWorked != 0) {
            last[DayHours] = m_dayWorked / 60;
            last[DayMinutes] = m_dayWorked % 60;
            QString mark = HoursText::NoMark;
            if (m_outs != m_ins) {
                mark = HoursText::IncompleteMark;
                last[Incomplete] = 1;
                m_incomplete = true;
            }
            dayTotal = HoursText::padded(m_dayWorked, mark);
        }
        last[DayTotal] = dayTotal;
        last[FirstIn] = m_firstInRecorded ? m_firstInText : Empty;
        if (m_inOpen || !m_inSeen || m_outBeforeFirstIn)
            m_incomplete = true;
        if (!dayTotal.isEmpty()) {
            const qint64 global = m_lastOut - m_firstIn;
            m_global += global;
            last[GlobalTotal] = HoursText::padded(global, HoursText::NoMark);
            last[GlobalH] = global / 60;
            last[GlobalM] = global % 60;
        } else {
            last[GlobalTotal] = Empty;
        }
        for (Row& row : m_day)
            m_rows.push_back(std::move(row));
        m_day.clear();
        m_inOpen = m_inSeen = m_firstInRecorded = m_outBeforeFirstIn = false;
        m_dayWorked = 0;
        m_ins = m_outs = 0;
        m_firstIn = m_lastOut = m_openIn = 0;
        m_firstInText.clear();
    }

    // Every row of the employee, the total row last.
    std::vector<Row>& finish()
    {
        endDay();
        if (m_rows.empty())
            return m_rows;
        if (m_worked == 0 || m_global == 0)
            m_incomplete = true;
        const QString mark = m_incomplete ? HoursText::IncompleteMark : HoursText::NoMark;
        Row total(FieldCount);
        total[EmployeeNumber] = m_number;
        total[EmployeeName] = m_label;
        total[Date] = totalWord();
        total[StartTime] = Empty;
        total[SumDay] = HoursText::hoursMinutes(m_worked);
        total[DayTotal] = HoursText::padded(m_worked, mark);
        total[DayHours] = m_worked / 60;
        total[DayMinutes] = m_worked % 60;
        total[GlobalTotal] = HoursText::padded(m_global, mark);
        total[GlobalH] = m_global / 60;
        total[GlobalM] = m_global % 60;
        total[IsTotal] = 1;
        m_rows.push_back(std::move(total));
        return m_rows;
    }

private:
    int m_number;
    QString m_label;
    std::vector<Row> m_rows;
    std::vector<Row> m_day;
    QString m_date;
    // The employee's sums: a year of full days is far beyond 16 bits.
    qint64 m_worked = 0;
    qint64 m_global = 0;
    bool m_incomplete = false;
    // The day's state.
    bool m_inOpen = false;
    int m_openIn = 0;
    qint64 m_dayWorked = 0;
    int m_ins = 0;
    int m_outs = 0;
    bool m_inSeen = false;
    bool m_firstInRecorded = false;
    bool m_outBeforeFirstIn = false;
    int m_firstIn = 0;
    QString m_firstInText;
    int m_lastOut = 0;
};

// "12 Last  First", the label of each of an employee's rows.
QHash<int, QString> employeeLabels(const ReportFilters& filters)
{
    QHash<int, QString> labels;
    ForwardQuery q(Db(),
                   QStringLiteral("SELECT Employee_Number, ifnull(Last_Name, ''), ifnull(First_Name, '') "
                                  "FROM tblEmployees WHERE Employee_Number BETWEEN ? AND ?"),
                   {filters.fromEmployee, filters.toEmployee});
    while (q.next()) {
        const int number = q.value(0).toInt();
        labels.insert(number, QString::number(number) + QLatin1Char(' ') + q.value(1).toString() +
                                  QStringLiteral("  ") + q.value(2).toString());
    }
    return labels;
}

void fillRows(const ReportFilters& filters)
{
    const QHash<int, QString> labels = employeeLabels(filters);
    RepeatedStatement insert(Db(), QStringLiteral("INSERT INTO tblHoursReport (Employee_Number, Employee_Name, Date, "
                                                  "StartTime, EndTime, SumDay, DayTotal, DayHours, DayMinutes, "
                                                  "Incomplete, FirstIn, GlobalTotal, GlobalH, GlobalM, IsTotal) "
                                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    QVariantList values;
    const auto store = [&](EmployeeHours& employee) {
        for (const Row& row : employee.finish()) {
            values.clear();
            for (const QVariant& v : row)
                values << v;
            insert.run(values);
        }
    };
    ForwardQuery events(Db(),
                        QStringLiteral("SELECT Employee_Number, Date_CR, Time_CR, iIn FROM tblOnline "
                                       "WHERE Employee_Number BETWEEN ? AND ? AND Date_CR BETWEEN ? AND ? "
                                       "ORDER BY Employee_Number, Date_CR, Time_CR, rowid"),
                        filters.rangeParams());
    std::optional<EmployeeHours> employee;
    int number = 0;
    while (events.next()) {
        const int n = events.value(0).toInt();
        if (!employee || n != number) {
            if (employee)
                store(*employee);
            employee.reset();
            number = n;
            // An employee number without a register entry is passed over.
            if (const auto label = labels.constFind(n); label != labels.constEnd())
                employee.emplace(n, *label);
        }
        if (!employee)
            continue;
        const QString time = events.value(2).toString();
        const std::optional<int> minute = HoursText::minuteOfDay(time);
        if (!minute)
            raiseError(Err::TypeMismatch, QStringLiteral("Type mismatch (event time '%1')").arg(time));
        employee->event(events.value(1).toString(), *minute, time, events.value(3));
    }
    if (employee)
        store(*employee);
}

}

bool FillIn_HoursReport_Tbl(const ReportFilters& filters, FillShow& show)
{
    return refillWorkTable(FillProcId, QStringLiteral("tblHoursReport"), show, [&] {
        ForwardQuery probe(Db(),
                           QStringLiteral("SELECT 1 FROM tblOnline WHERE Employee_Number BETWEEN ? AND ? "
                                          "AND Date_CR BETWEEN ? AND ? LIMIT 1"),
                           filters.rangeParams());
        if (!probe.next())
            return false;
        show.start();
        fillRows(filters);
        return true;
    });
}
