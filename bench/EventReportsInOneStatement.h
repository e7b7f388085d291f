#pragma once

// The results of the on-line events, absence, incomplete-hours and
// unauthorized-access fills, each computed by one hand-written SQL statement
// straight from the event log, the register and the door settings: the measure
// the benchmark holds the fills against, and a second opinion the tests
// compare the fills with. Each gives the rows of its work table after the key,
// in the order the fill writes them; the binds of each are named with it.

#include "bench/ReportsInOneStatement.h"

#include <QString>

namespace EventReportsInOneStatement {

namespace detail {

inline QString word(const QString& code, const QString& one, const QString& other)
{
    return QStringLiteral("CASE WHEN %1 = 1 THEN (SELECT %2 FROM w) ELSE (SELECT %3 FROM w) END").arg(code, one, other);
}

// The words of the codes, bound in this order after the filters.
inline QString words()
{
    return QStringLiteral("w AS (SELECT ? AS wIn, ? AS wOut, ? AS wCard, ? AS wPin, ? AS wOpened, ? AS wNotOpened,"
                          " ? AS wSecure, ? AS wZones, ? AS wUnknownCode, ? AS wUnknown)");
}

}

// tblOnlineReport. Binds the employee range, the first and last day, then the
// words In, Out, Card, PIN, Opened, Not Opened, Secure Mode, Time Zones,
// Unknown Code and Unknown Employee.
inline QString onlineReport()
{
    using namespace detail;
    return QStringLiteral(
               "WITH p AS (SELECT ? AS lo, ? AS hi, ? AS first, ? AS last), %1"
               " SELECT o.Employee_Number || ' ' || (SELECT ifnull(Last_Name, '') || '  ' || ifnull(First_Name, '')"
               " FROM tblEmployees e WHERE e.Employee_Number = o.Employee_Number) AS Employee_Name,"
               " o.Date_CR AS Date_CR, o.Time_CR AS Time_CR, %2 AS Ext_Int_Door, %3 AS Key_ProxCard,"
               " %4 AS Door_Action FROM tblOnline o"
               " WHERE o.Employee_Number BETWEEN (SELECT lo FROM p) AND (SELECT hi FROM p)"
               " AND o.Date_CR BETWEEN (SELECT first FROM p) AND (SELECT last FROM p)"
               " AND o.Employee_Number IN (SELECT Employee_Number FROM tblEmployees)"
               " ORDER BY o.Employee_Number, o.Date_CR, o.Time_CR, o.rowid")
        .arg(words(), word(QStringLiteral("o.iIn"), QStringLiteral("wIn"), QStringLiteral("wOut")),
             word(QStringLiteral("o.iCard"), QStringLiteral("wCard"), QStringLiteral("wPin")),
             word(QStringLiteral("o.iDoor"), QStringLiteral("wOpened"), QStringLiteral("wNotOpened")));
}

// tblMissingReport. Binds the employee range, the first and last day, then the
// text of an employee absent on all days.
inline QString missingReport()
{
    return QStringLiteral(
        "WITH RECURSIVE p AS (SELECT ? AS lo, ? AS hi, ? AS first, ? AS last, ? AS allDays),"
        " calendar(day) AS (SELECT first FROM p UNION ALL SELECT date(day, '+1 day') FROM calendar"
        " WHERE day < (SELECT last FROM p)),"
        " settings AS (SELECT * FROM DoorsNames_Tbl ORDER BY rowid LIMIT 1),"
        " working AS (SELECT c.day FROM calendar c LEFT JOIN settings s"
        " WHERE strftime('%m-%d', c.day) NOT IN (SELECT strftime('%m-%d', Date) FROM tblHolidays)"
        " AND CASE strftime('%w', c.day) WHEN '5' THEN ifnull(s.Fri_Start, '') <> ''"
        " WHEN '6' THEN ifnull(s.Sat_Start, '') <> '' WHEN '0' THEN ifnull(s.Sun_Start, '') <> '' ELSE 1 END),"
        " staff AS (SELECT e.Employee_Number AS n,"
        " e.Employee_Number || '   ' || ifnull(e.Last_Name, '') || ' ' || ifnull(e.First_Name, '') AS name,"
        " EXISTS (SELECT 1 FROM tblOnline o WHERE o.Employee_Number = e.Employee_Number"
        " AND o.Date_CR BETWEEN (SELECT first FROM p) AND (SELECT last FROM p)) AS present"
        " FROM tblEmployees e WHERE e.Employee_Number BETWEEN (SELECT lo FROM p) AND (SELECT hi FROM p))"
        " SELECT n, name, (SELECT allDays FROM p), 0 AS pass, '' AS day FROM staff WHERE NOT present"
        " UNION ALL SELECT n, name, w.day, 1, w.day FROM staff, working w WHERE present"
        " AND NOT EXISTS (SELECT 1 FROM tblOnline o WHERE o.Employee_Number = n AND o.Date_CR = w.day)"
        " ORDER BY 4, 1, 5");
}

// tblExceptReport, from the working hours computed in the same statement.
// Binds the employee range, the first and last day, the word of the closing
// rows, then the default working hours.
inline QString exceptReport()
{
    using namespace ReportsInOneStatement::detail;
    return days() +
           QStringLiteral(
               ", settings AS (SELECT * FROM DoorsNames_Tbl ORDER BY rowid LIMIT 1),"
               " scheduled AS (SELECT t.*, coalesce(nullif(CAST(CASE strftime('%w', t.d) WHEN '0' THEN s.Sun_Hours"
               " WHEN '5' THEN s.Fri_Hours WHEN '6' THEN s.Sat_Hours ELSE s.MonThu_Hours END AS INTEGER), 0),"
               " nullif(e.WorkingHours, 0), (SELECT dflt FROM p)) AS need"
               " FROM dayTotals t LEFT JOIN tblEmployees e ON e.Employee_Number = t.n LEFT JOIN settings s),"
               " short AS (SELECT scheduled.*, need * 60 - worked AS missing,"
               " count(*) OVER (PARTITION BY n ORDER BY d ROWS UNBOUNDED PRECEDING) AS shortDays"
               " FROM scheduled WHERE worked > 0 AND need > worked / 60),"
               " sums AS (SELECT e.n, e.label, ifnull(sum(s.missing), 0) AS missing, count(s.n) AS shortDays"
               " FROM employees e LEFT JOIN short s ON s.n = e.n GROUP BY e.n)"
               " SELECT n AS Employee_Number, label AS Employee_Name, d AS Date, CAST(need AS TEXT) AS NumHourNeed,"
               " %1 AS NumHourDid, %2 AS ExceptHours, shortDays AS Total, %3 AS GlobalHours, 0 AS IsTotal FROM short"
               " UNION ALL SELECT n, label, (SELECT total FROM p), '', '', %4, shortDays, '', 1 FROM sums"
               " ORDER BY 1, 9, 3")
               .arg(padded(QStringLiteral("worked"), QStringLiteral("CASE WHEN mark THEN '(*)' ELSE '   ' END")),
                    padded(QStringLiteral("missing"), QStringLiteral("''")),
                    padded(QStringLiteral("global"), QStringLiteral("'   '")),
                    padded(QStringLiteral("missing"), QStringLiteral("''")));
}

// tblUnauthorized. Binds the first and last day, then the words as for the
// on-line events.
inline QString unauthorizedReport()
{
    using namespace detail;
    const QString reason =
        QStringLiteral("CASE o.iReason WHEN 1 THEN (SELECT wSecure FROM w) WHEN 2 THEN"
                       " (SELECT wZones FROM w) WHEN 3 THEN (SELECT wUnknownCode FROM w) ELSE '' END");
    const QString codes = word(QStringLiteral("o.iCard"), QStringLiteral("wCard"), QStringLiteral("wPin")) +
                          QStringLiteral(" AS CardPin, ") +
                          word(QStringLiteral("o.iDoor"), QStringLiteral("wOpened"), QStringLiteral("wNotOpened")) +
                          QStringLiteral(" AS Door_Action, ") + reason + QStringLiteral(" AS Reason");
    const QString inOut = word(QStringLiteral("o.iIn"), QStringLiteral("wIn"), QStringLiteral("wOut"));
    return QStringLiteral(
               "WITH p AS (SELECT ? AS first, ? AS last), %1"
               " SELECT o.Employee_Number AS Employee_Number, o.Date_CR AS date, o.Time_CR AS time, %2 AS InOut,"
               " o.Employee_Number || ' ' || ifnull(e.Last_Name, '') || '  ' || ifnull(e.First_Name, '') AS "
               "Employee_Name,"
               " e.SlotNumber AS SlotNumber, e.Employee_Code AS Code, %3, 0 AS part, o.rowid AS r"
               " FROM tblOnline o JOIN tblEmployees e ON e.Employee_Number = o.Employee_Number"
               " WHERE o.iDoor = 2 AND o.Date_CR BETWEEN (SELECT first FROM p) AND (SELECT last FROM p)"
               " UNION ALL SELECT o.Employee_Number, o.Date_CR, o.Time_CR, %2, (SELECT wUnknown FROM w),"
               " o.SlotNumber, o.CardNum, %3, 1, o.rowid FROM tblOnline o"
               " WHERE o.Employee_Number = -1 AND o.iIn = 1 AND o.iDoor = 1"
               " AND o.Date_CR BETWEEN (SELECT first FROM p) AND (SELECT last FROM p)"
               " ORDER BY 11, 2, 3, 12")
        .arg(words(), inOut, codes);
}

}
