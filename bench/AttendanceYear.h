#pragma once

// A year of a site's attendance for the reports to work on: employees 1 to N
// in the register and their code reads in the event log, as the on-line monitor
// records them. Deterministic for a seed; the benchmark and the tests share it.
//
// Each weekday every employee comes in between 07:35 and 08:35, goes out for
// lunch around 12:15, comes back 30 to 60 minutes later and leaves between
// 16:15 and 17:45: four reads, about 500 000 for 500 employees and a year. A
// few days are not as tidy: the last Out missing, an In read twice, an Out
// before the first In, a day away.

#include "platform/db/Database.h"
#include "platform/db/RepeatedStatement.h"
#include "platform/text/DateTimeText.h"

#include <QDate>
#include <algorithm>
#include <random>
#include <vector>

namespace AttendanceYear {

struct Shape {
    int employees = 500;
    QDate first = QDate(2025, 1, 1);
    QDate last = QDate(2025, 12, 31);
    unsigned seed = 430;
};

struct Read {
    int employee;
    int second; // of the day
    int code;   // 1 In, 2 Out
};

inline QString clock(int second)
{
    return QStringLiteral("%1:%2:%3")
        .arg(second / 3600, 2, 10, QLatin1Char('0'))
        .arg(second / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(second % 60, 2, 10, QLatin1Char('0'));
}

// Writes the register and the log in one transaction; returns the number of reads.
inline qint64 write(Database& db, const Shape& shape = {})
{
    std::mt19937 random(shape.seed);
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    Transaction t(db);
    RepeatedStatement employee(db, QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, "
                                                  "StartTime, Employee_Code) VALUES (?, ?, ?, ?, ?)"));
    for (int n = 1; n <= shape.employees; ++n)
        employee.run({n, QStringLiteral("First%1").arg(n), QStringLiteral("Last%1").arg(n),
                      n % 10 == 0 ? QStringLiteral("07:30") : QStringLiteral("__:__"),
                      QStringLiteral("%1").arg(100000 + n, 10, 10, QLatin1Char('0'))});
    RepeatedStatement read(db,
                           QStringLiteral("INSERT INTO tblOnline (Time_CR, Date_CR, sIn, sCard, Employee_Number, "
                                          "sDoor, sReason, Employee_Full_Name, SlotNumber, CardNum, iIn, iDoor, iCard) "
                                          "VALUES (?, ?, ?, 'Card', ?, 'Opened', '', ?, ?, ?, ?, 1, 1)"));
    qint64 written = 0;
    std::vector<Read> day;
    for (QDate d = shape.first; d <= shape.last; d = d.addDays(1)) {
        if (d.dayOfWeek() > 5)
            continue;
        day.clear();
        for (int n = 1; n <= shape.employees; ++n) {
            const int kind = between(0, 199);
            if (kind == 0)
                continue; // away
            const int in = between(7 * 3600 + 35 * 60, 8 * 3600 + 35 * 60);
            const int lunch = between(12 * 3600, 12 * 3600 + 30 * 60);
            const int back = lunch + between(30 * 60, 60 * 60);
            const int leave = between(16 * 3600 + 15 * 60, 17 * 3600 + 45 * 60);
            if (kind == 1)
                day.push_back({n, in - between(600, 3000), 2}); // an Out before the first In
            day.push_back({n, in, 1});
            if (kind == 2)
                day.push_back({n, in + between(5, 50), 1}); // read twice
            day.push_back({n, lunch, 2});
            day.push_back({n, back, 1});
            if (kind != 3 && kind != 4)
                day.push_back({n, leave, 2}); // a few days lack the last Out
        }
        std::sort(day.begin(), day.end(), [](const Read& a, const Read& b) { return a.second < b.second; });
        const QString date = DateTimeText::isoDate(d);
        for (const Read& r : day) {
            read.run({clock(r.second), date, r.code == 1 ? QStringLiteral("In") : QStringLiteral("Out"), r.employee,
                      QStringLiteral("%1  Last%1  First%1").arg(r.employee), r.employee % 256,
                      QStringLiteral("%1").arg(100000 + r.employee, 10, 10, QLatin1Char('0')), r.code});
            ++written;
        }
    }
    t.commit();
    return written;
}

}
