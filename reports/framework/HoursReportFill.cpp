#include "reports/framework/HoursReportFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/ForwardQuery.h"
#include "platform/db/RepeatedStatement.h"
#include "platform/text/DateTimeText.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/HoursText.h"
#include "reports/framework/Report.h"
#include "reports/framework/WorkTableFill.h"

#include <algorithm>
#include <array>
#include <deque>
#include <optional>
#include <vector>

namespace {

constexpr int16_t FillProcId = 1012;

// The fields of tblHoursReport after its key, in order.
enum Field {
    EmployeeNumber,
    EmployeeName,
    Date,
    StartTime,
    EndTime,
    SumDay,
    DayTotal,
    DayHours,
    DayMinutes,
    Incomplete,
    FirstIn,
    GlobalTotal,
    GlobalH,
    GlobalM,
    IsTotal,
    FieldCount
};

// One field of a row: Null where the computation leaves it unwritten. A row is
// made and written by the hundred thousand, so a field allocates nothing: a
// short text is held in place, a long one (the employee's label, the day) is
// referred to where it is kept until the row is written.
class Cell {
public:
    enum class Kind : uint8_t { Null, Integer, Text };

    Kind kind() const { return m_kind; }
    qint64 integer() const { return m_integer; }
    QByteArrayView text() const { return m_local ? QByteArrayView(m_buffer.data(), m_size) : m_shared; }

    void operator=(qint64 v)
    {
        m_kind = Kind::Integer;
        m_integer = v;
    }
    // The text must be kept until the row is written.
    void refer(QByteArrayView text)
    {
        m_kind = Kind::Text;
        m_local = false;
        m_shared = text;
    }
    void clear()
    {
        m_kind = Kind::Text;
        m_local = true;
        m_size = 0;
    }
    Cell& add(char c)
    {
        m_buffer[static_cast<size_t>(m_size++)] = c;
        return *this;
    }
    Cell& add(QByteArrayView text)
    {
        for (char c : text)
            add(c);
        return *this;
    }
    Cell& addNumber(qint64 n)
    {
        char digits[20];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + n % 10);
            n /= 10;
        } while (n > 0);
        while (count > 0)
            add(digits[--count]);
        return *this;
    }

private:
    Kind m_kind = Kind::Null;
    bool m_local = false;
    int m_size = 0;
    qint64 m_integer = 0;
    QByteArrayView m_shared;
    std::array<char, 40> m_buffer;
};

using Row = std::array<Cell, FieldCount>;

// The texts of the working-hours table (the same as HoursText's).
void setClock(Cell& cell, int minute)
{
    cell.clear();
    cell.add(static_cast<char>('0' + minute / 600)).add(static_cast<char>('0' + minute / 60 % 10)).add(':');
    cell.add(static_cast<char>('0' + minute % 60 / 10)).add(static_cast<char>('0' + minute % 10));
}

void addHoursMinutes(Cell& cell, qint64 minutes)
{
    cell.add(' ').addNumber(minutes / 60).add(':');
    if (minutes % 60 < 10)
        cell.add('0');
    cell.addNumber(minutes % 60);
}

void setHoursMinutes(Cell& cell, qint64 minutes)
{
    cell.clear();
    addHoursMinutes(cell, minutes);
}

void setPadded(Cell& cell, qint64 minutes, bool incomplete)
{
    cell.clear();
    cell.add(minutes / 60 < 10 ? QByteArrayView("     ") : QByteArrayView("   "));
    cell.add(incomplete ? QByteArrayView("(*)") : QByteArrayView("   "));
    addHoursMinutes(cell, minutes);
}

void setEmpty(Cell& cell)
{
    cell.clear();
}

// One event of the log, as far as the pairing needs it.
struct Event {
    int second;   // of the day
    qint64 order; // the order it was recorded in
    int code;
    std::array<char, 8> time; // as stored, for the day's first In
    int timeLength;
};

// One employee's rows, day by day, as the events come in time order. A day's
// rows are complete when its last event is done; they are written then.
class EmployeeHours {
public:
    EmployeeHours(int number, QByteArray label) : m_number(number), m_label(std::move(label)) {}

    void event(QByteArrayView date, const Event& e)
    {
        const int minute = e.second / 60;
        // An Out closes the open In: the row last made, which the In began.
        if (e.code == 2 && m_inOpen && minute >= m_openIn) {
            Row& row = m_day[m_rows - 1];
            setClock(row[EndTime], minute);
            const int interval = minute - m_openIn;
            m_dayWorked += interval;
            m_worked += interval;
            setHoursMinutes(row[SumDay], interval);
            m_inOpen = false;
            ++m_outs;
            m_lastOut = minute;
            return;
        }
        Row& row = nextRow();
        row[EmployeeNumber] = m_number;
        row[EmployeeName].refer(m_label);
        row[Date].refer(date);
        row[IsTotal] = 0;
        if (e.code == 1) {
            setClock(row[StartTime], minute);
            if (!m_firstInRecorded) {
                m_firstInText = e;
                m_firstInRecorded = true;
            }
            setEmpty(row[EndTime]);
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
            setClock(row[EndTime], minute);
            setEmpty(row[StartTime]);
            ++m_outs;
            m_inOpen = m_inOpen && minute < m_openIn;
            m_lastOut = minute;
        }
    }

    // The day's last row gets the day's totals; then the day's rows are written.
    template <class Write>
    void endDay(Write&& write)
    {
        if (m_rows == 0)
            return;
        Row& last = m_day[m_rows - 1];
        if (m_dayWorked != 0) {
            last[DayHours] = m_dayWorked / 60;
            last[DayMinutes] = m_dayWorked % 60;
            const bool incomplete = m_outs != m_ins;
            if (incomplete) {
                last[Incomplete] = 1;
                m_incomplete = true;
            }
            setPadded(last[DayTotal], m_dayWorked, incomplete);
            const qint64 global = m_lastOut - m_firstIn;
            m_global += global;
            setPadded(last[GlobalTotal], global, false);
            last[GlobalH] = global / 60;
            last[GlobalM] = global % 60;
        } else {
            setEmpty(last[DayTotal]);
            setEmpty(last[GlobalTotal]);
        }
        last[FirstIn].clear();
        if (m_firstInRecorded)
            last[FirstIn].add(QByteArrayView(m_firstInText.time.data(), m_firstInText.timeLength));
        if (m_inOpen || !m_inSeen || m_outBeforeFirstIn)
            m_incomplete = true;
        m_hasRows = true;
        for (size_t r = 0; r < m_rows; ++r)
            write(m_day[r]);
        m_rows = 0;
        m_inOpen = m_inSeen = m_firstInRecorded = m_outBeforeFirstIn = false;
        m_dayWorked = 0;
        m_ins = m_outs = 0;
        m_firstIn = m_lastOut = m_openIn = 0;
    }

    // After the employee's last day: the total row.
    template <class Write>
    void finish(Write&& write)
    {
        endDay(write);
        if (!m_hasRows)
            return;
        if (m_worked == 0 || m_global == 0)
            m_incomplete = true;
        Row& total = nextRow();
        total[EmployeeNumber] = m_number;
        total[EmployeeName].refer(m_label);
        m_totalWord = totalWord().toUtf8();
        total[Date].refer(m_totalWord);
        setEmpty(total[StartTime]);
        setHoursMinutes(total[SumDay], m_worked);
        setPadded(total[DayTotal], m_worked, m_incomplete);
        total[DayHours] = m_worked / 60;
        total[DayMinutes] = m_worked % 60;
        setPadded(total[GlobalTotal], m_global, m_incomplete);
        total[GlobalH] = m_global / 60;
        total[GlobalM] = m_global % 60;
        total[IsTotal] = 1;
        write(total);
        m_rows = 0;
    }

private:
    // A fresh row at the end of the day's rows; every field Null.
    Row& nextRow()
    {
        if (m_rows == m_day.size())
            m_day.emplace_back();
        Row& row = m_day[m_rows++];
        row = Row{};
        return row;
    }

    int m_number;
    QByteArray m_label;
    QByteArray m_totalWord;
    // The day's rows; kept between days so that their room is used again.
    std::deque<Row> m_day;
    size_t m_rows = 0;
    bool m_hasRows = false;
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
    Event m_firstInText{};
    int m_lastOut = 0;
};

// "12 Last  First", the label of each of an employee's rows, for each
// registered employee of the range in the order of the numbers.
std::vector<std::pair<int, QByteArray>> employeeLabels(const ReportFilters& filters)
{
    std::vector<std::pair<int, QByteArray>> labels;
    ForwardQuery q(Db(),
                   QStringLiteral("SELECT Employee_Number, ifnull(Last_Name, ''), ifnull(First_Name, '') "
                                  "FROM tblEmployees WHERE Employee_Number BETWEEN ? AND ? ORDER BY Employee_Number"),
                   {filters.fromEmployee, filters.toEmployee});
    while (q.next()) {
        const int number = static_cast<int>(q.integer(0));
        labels.emplace_back(
            number,
            (QString::number(number) + QLatin1Char(' ') + q.text(1) + QStringLiteral("  ") + q.text(2)).toUtf8());
    }
    return labels;
}

class HoursTable {
public:
    HoursTable()
        : m_insert(Db(), QStringLiteral("INSERT INTO tblHoursReport (Employee_Number, Employee_Name, Date, StartTime, "
                                        "EndTime, SumDay, DayTotal, DayHours, DayMinutes, Incomplete, FirstIn, "
                                        "GlobalTotal, GlobalH, GlobalM, IsTotal) "
                                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))
    {
    }

    void write(const Row& row)
    {
        for (int f = 0; f < FieldCount; ++f) {
            const Cell& cell = row[static_cast<size_t>(f)];
            switch (cell.kind()) {
            case Cell::Kind::Null: m_insert.bindNull(f); break;
            case Cell::Kind::Integer: m_insert.bindInteger(f, cell.integer()); break;
            case Cell::Kind::Text: m_insert.bindText(f, cell.text()); break;
            }
        }
        m_insert.run();
    }

private:
    RepeatedStatement m_insert;
};

void fillRows(const ReportFilters& filters, FillSteps& steps)
{
    HoursTable table;
    const auto write = [&](const Row& row) { table.write(row); };
    const QVariant fromDate = DateTimeText::isoDate(filters.fromDate);
    const QVariant toDate = DateTimeText::isoDate(filters.toDate);
    // An employee's events of the days, from the index that holds all the fill
    // needs, in day and time order: it is sought at his first day, so a month
    // costs the same however long the log; events of one second are put in
    // the order they were recorded by playDay.
    ForwardQuery events(Db(),
                        QStringLiteral("SELECT Date_CR, Time_CR, iIn, rowid "
                                       "FROM tblOnline INDEXED BY tblOnline_Attendance "
                                       "WHERE Employee_Number = ? AND Date_CR BETWEEN ? AND ? "
                                       "ORDER BY Date_CR, Time_CR"),
                        {0, fromDate, toDate});
    QByteArray date;
    std::vector<Event> day;
    // An employee number without a register entry is passed over.
    for (const auto& [number, label] : employeeLabels(filters)) {
        EmployeeHours employee(number, label);
        // Events of the same second keep the order they were recorded in.
        const auto playDay = [&] {
            std::stable_sort(day.begin(), day.end(), [](const Event& a, const Event& b) {
                return a.second != b.second ? a.second < b.second : a.order < b.order;
            });
            for (const Event& e : day)
                employee.event(date, e);
            employee.endDay(write);
            day.clear();
        };
        date.clear();
        events.restart({number, fromDate, toDate});
        while (events.next()) {
            const QByteArrayView eventDate = events.bytes(0);
            if (eventDate != date) {
                playDay();
                date = eventDate.toByteArray();
                // A day no calendar has (written by another program) would count as worked.
                if (!HoursText::isStoredDay(eventDate))
                    refuseUnreadableDay(QString::fromUtf8(date), QString::fromUtf8(label));
            }
            const QByteArrayView time = events.bytes(1);
            const std::optional<int> second = HoursText::secondOfDay(time);
            if (!second || time.size() > 8)
                raiseError(Err::TypeMismatch,
                           Translate(QStringLiteral("Unreadable event time '%1' of employee %2 on %3"))
                               .arg(QString::fromUtf8(time), QString::fromUtf8(label),
                                    DateTimeText::shortDateOfStored(QString::fromUtf8(date))));
            Event& e = day.emplace_back();
            e.second = *second;
            e.order = events.integer(3);
            e.code = events.isNull(2) ? 0 : static_cast<int>(events.integer(2));
            e.timeLength = static_cast<int>(time.size());
            std::copy(time.begin(), time.end(), e.time.begin());
        }
        playDay();
        employee.finish(write);
        steps.between();
    }
}

}

void refuseUnreadableDay(const QString& day, const QString& label)
{
    raiseError(Err::TypeMismatch,
               Translate(QStringLiteral("Unreadable event date '%1' of employee %2")).arg(day, label));
}

bool FillIn_HoursReport_Tbl(const ReportFilters& filters, FillShow& show)
{
    return refillWorkTable(FillProcId, QStringLiteral("tblHoursReport"), show, [&](FillSteps& steps) {
        if (!anyEventInRange(filters))
            return false;
        show.start();
        fillRows(filters, steps);
        return true;
    });
}
