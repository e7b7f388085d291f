#pragma once

// The results of the working-hours, late-arrival and total fills, each computed
// by one hand-written SQL statement straight from the event log: the measure
// the benchmark holds the fills against, and a second opinion the tests
// compare the fills with. The statements bind, in order: the employee range,
// the first and last day (ISO text), the word of the total rows, and for the
// late report the default start time (bound for all three).

#include <QString>

namespace ReportsInOneStatement {

namespace detail {

inline QString hm(const QString& x)
{
    return QStringLiteral("(' ' || ((%1) / 60) || ':' || CASE WHEN (%1) % 60 < 10 THEN '0' ELSE '' END || ((%1) % 60))")
        .arg(x);
}

inline QString padded(const QString& x, const QString& mark)
{
    return QStringLiteral("(CASE WHEN (%1) / 60 < 10 THEN '     ' ELSE '   ' END || %2 || %3)").arg(x, mark, hm(x));
}

inline QString clock(const QString& m)
{
    return QStringLiteral("printf('%02d:%02d', (%1) / 60, (%1) % 60)").arg(m);
}

inline QString minuteOf(const QString& time)
{
    return QStringLiteral("(CAST(substr(%1, 1, 2) AS INTEGER) * 60 + CAST(substr(%1, 4, 2) AS INTEGER))").arg(time);
}

// Each day's events paired: an Out right after an In closes it.
inline QString days()
{
    return QStringLiteral(
               "WITH p AS (SELECT ? AS lo, ? AS hi, ? AS first, ? AS last, ? AS total, ? AS dflt),"
               " ev AS (SELECT o.Employee_Number AS n, o.Date_CR AS d, o.Time_CR AS t, ifnull(o.iIn, 0) AS code,"
               " o.rowid AS r, %1 AS m,"
               " o.Employee_Number || ' ' || ifnull(e.Last_Name, '') || '  ' || ifnull(e.First_Name, '') AS label"
               " FROM tblOnline o INDEXED BY tblOnline_Attendance JOIN tblEmployees e ON e.Employee_Number = "
               "o.Employee_Number"
               " WHERE o.Employee_Number BETWEEN (SELECT lo FROM p) AND (SELECT hi FROM p)"
               " AND o.Date_CR BETWEEN (SELECT first FROM p) AND (SELECT last FROM p)),"
               " seq AS MATERIALIZED (SELECT ev.*, row_number() OVER w AS k,"
               " lag(code) OVER w AS prevCode, lag(m) OVER w AS prevM, lead(code) OVER w AS nextCode,"
               " lead(m) OVER w AS nextM FROM ev WINDOW w AS (PARTITION BY n, d ORDER BY t, r)),"
               " marked AS MATERIALIZED (SELECT seq.*, (code = 2 AND ifnull(prevCode, 0) = 1) AS closing FROM seq),"
               " days AS MATERIALIZED (SELECT n, d, min(label) AS label,"
               " sum(CASE WHEN closing THEN m - prevM ELSE 0 END) AS worked, sum(code = 1) AS ins,"
               " sum(code <> 1) AS outs, min(CASE WHEN code = 1 THEN m END) AS firstIn,"
               " min(CASE WHEN code = 1 THEN t END) AS firstInText, max(CASE WHEN code <> 1 THEN m END) AS lastOut,"
               " max(CASE WHEN nextCode IS NULL THEN code END) AS lastCode, max(CASE WHEN k = 1 THEN code END) AS "
               "firstCode,"
               " max(CASE WHEN NOT closing THEN k END) AS lastRow FROM marked GROUP BY n, d),"
               " dayTotals AS MATERIALIZED (SELECT days.*, (worked <> 0 AND outs <> ins) AS mark,"
               " ((worked <> 0 AND outs <> ins) OR lastCode = 1 OR ins = 0 OR firstCode <> 1) AS dayIncomplete,"
               " CASE WHEN worked <> 0 THEN lastOut - firstIn ELSE 0 END AS global FROM days),"
               " employees AS MATERIALIZED (SELECT n, min(label) AS label, sum(worked) AS worked, sum(global) AS "
               "global,"
               " CASE WHEN max(dayIncomplete) OR sum(worked) = 0 OR sum(global) = 0 THEN '(*)' ELSE '   ' END AS mark"
               " FROM dayTotals GROUP BY n)")
        .arg(minuteOf(QStringLiteral("o.Time_CR")));
}

inline QString dayMark()
{
    return QStringLiteral("CASE WHEN t.mark THEN '(*)' ELSE '   ' END");
}

inline QString totalRow()
{
    return QStringLiteral("SELECT n, label, (SELECT total FROM p), '', NULL, %1, %2, worked / 60, worked % 60, NULL, "
                          "NULL, %3, global / 60,"
                          " global % 60, 1, '', 0 FROM employees")
        .arg(hm(QStringLiteral("worked")), padded(QStringLiteral("worked"), QStringLiteral("mark")),
             padded(QStringLiteral("global"), QStringLiteral("mark")));
}

}

// The rows of tblHoursReport after its key, in the order the fill writes them
// (two columns to order by follow).
inline QString hoursReport()
{
    using namespace detail;
    // Each event row carries its day's sums, so the day's last row can hold them.
    const QString last = QStringLiteral("s.k = s.lastRow");
    return days() +
           QStringLiteral(", final AS (SELECT s.*, sum(CASE WHEN closing THEN m - prevM ELSE 0 END) OVER f AS worked,"
                          " sum(code = 1) OVER f AS ins, sum(code <> 1) OVER f AS outs,"
                          " min(CASE WHEN code = 1 THEN m END) OVER f AS firstIn,"
                          " min(CASE WHEN code = 1 THEN t END) OVER f AS firstInText,"
                          " max(CASE WHEN code <> 1 THEN m END) OVER f AS lastOut,"
                          " max(CASE WHEN NOT closing THEN k END) OVER f AS lastRow"
                          " FROM marked s WINDOW f AS (PARTITION BY n, d)),"
                          " rows AS (SELECT final.*, (worked <> 0 AND outs <> ins) AS mark,"
                          " CASE WHEN worked <> 0 THEN lastOut - firstIn ELSE 0 END AS global FROM final)"
                          " SELECT s.n AS Employee_Number, s.label AS Employee_Name, s.d AS Date,"
                          " CASE WHEN s.code = 1 THEN %1 ELSE '' END AS StartTime,"
                          " CASE WHEN s.code <> 1 THEN %1 WHEN s.nextCode = 2 THEN %2 ELSE '' END AS EndTime,"
                          " CASE WHEN s.code = 1 AND s.nextCode = 2 THEN %3 END AS SumDay,"
                          " CASE WHEN %4 THEN CASE WHEN s.worked <> 0 THEN %5 ELSE '' END END AS DayTotal,"
                          " CASE WHEN %4 AND s.worked <> 0 THEN s.worked / 60 END AS DayHours,"
                          " CASE WHEN %4 AND s.worked <> 0 THEN s.worked % 60 END AS DayMinutes,"
                          " CASE WHEN %4 AND s.mark THEN 1 END AS Incomplete,"
                          " CASE WHEN %4 THEN ifnull(s.firstInText, '') END AS FirstIn,"
                          " CASE WHEN %4 THEN CASE WHEN s.worked <> 0 THEN %6 ELSE '' END END AS GlobalTotal,"
                          " CASE WHEN %4 AND s.worked <> 0 THEN s.global / 60 END AS GlobalH,"
                          " CASE WHEN %4 AND s.worked <> 0 THEN s.global % 60 END AS GlobalM, 0 AS IsTotal,"
                          " s.d AS sortDay, s.k AS sortK"
                          " FROM rows s WHERE NOT s.closing"
                          " UNION ALL %7 ORDER BY 1, 15, 16, 17")
               .arg(clock(QStringLiteral("s.m")), clock(QStringLiteral("s.nextM")), hm(QStringLiteral("s.nextM - s.m")),
                    last,
                    padded(QStringLiteral("s.worked"), QStringLiteral("CASE WHEN s.mark THEN '(*)' ELSE '   ' END")),
                    padded(QStringLiteral("s.global"), QStringLiteral("'   '")), totalRow());
}

// The rows of the working-hours total report: name, day, worked and global time.
inline QString totalReport()
{
    using namespace detail;
    return days() + QStringLiteral(
                        " SELECT label, d, CASE WHEN worked <> 0 THEN %1 ELSE '' END,"
                        " CASE WHEN worked <> 0 THEN %2 ELSE '' END, n, 0 AS IsTotal FROM dayTotals t"
                        " UNION ALL SELECT label, (SELECT total FROM p), %3, %4, n, 1 FROM employees ORDER BY 5, 6, 2")
                        .arg(padded(QStringLiteral("worked"), dayMark()),
                             padded(QStringLiteral("global"), QStringLiteral("'   '")),
                             padded(QStringLiteral("worked"), QStringLiteral("mark")),
                             padded(QStringLiteral("global"), QStringLiteral("mark")));
}

// The rows of tblLateReport after its key, in the order the fill writes them.
inline QString lateReport()
{
    using namespace detail;
    return days() +
           QStringLiteral(
               ", settings AS (SELECT * FROM DoorsNames_Tbl ORDER BY rowid LIMIT 1),"
               " scheduled AS (SELECT t.*, coalesce(nullif(CASE strftime('%w', t.d) WHEN '0' THEN s.Sun_Start"
               " WHEN '5' THEN s.Fri_Start WHEN '6' THEN s.Sat_Start ELSE s.MonThu_Start END, ''),"
               " nullif(nullif(e.StartTime, '__:__'), ''), (SELECT dflt FROM p)) AS need"
               " FROM dayTotals t LEFT JOIN tblEmployees e ON e.Employee_Number = t.n"
               " LEFT JOIN settings s WHERE t.firstInText IS NOT NULL),"
               " late AS (SELECT scheduled.*, %1 - %2 AS lateness FROM scheduled),"
               " lateDays AS (SELECT late.*, count(*) OVER (PARTITION BY n ORDER BY d ROWS UNBOUNDED PRECEDING) AS days"
               " FROM late WHERE lateness > 0),"
               " lateTotals AS (SELECT n, min(label) AS label, sum(CASE WHEN lateness > 0 THEN lateness ELSE 0 END) AS "
               "minutes,"
               " sum(lateness > 0) AS days FROM late GROUP BY n)"
               " SELECT n AS Employee_Number, label AS Employee_Name, d AS Date, need AS StartTimeNeed,"
               " firstInText AS StartTimeDid, %3 AS LateMinute, CASE WHEN worked <> 0 THEN %4 ELSE '' END AS "
               "PresentHours,"
               " CASE WHEN worked <> 0 THEN %5 ELSE '' END AS GlobalWorked, days AS TotalDays, NULL AS TotalHours,"
               " NULL AS TotalMinutes, 0 AS IsTotal FROM lateDays t"
               " UNION ALL SELECT n, label, (SELECT total FROM p), NULL, NULL, %6, NULL, NULL, days, ' ' || (minutes / "
               "60),"
               " ' ' || (minutes % 60), 1 FROM lateTotals ORDER BY 1, 12, 3")
               .arg(minuteOf(QStringLiteral("firstInText")), minuteOf(QStringLiteral("need")),
                    hm(QStringLiteral("lateness")), padded(QStringLiteral("worked"), dayMark()),
                    padded(QStringLiteral("global"), QStringLiteral("'   '")), hm(QStringLiteral("minutes")));
}

}
