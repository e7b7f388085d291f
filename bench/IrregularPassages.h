#pragma once

// What a generated year of attendance (AttendanceYear.h) lacks for the event
// reports: passages the door refused and entries of codes no employee holds,
// a few holidays, and employees in the register who never came. Deterministic;
// the benchmark and the tests share it.

#include "platform/db/Database.h"

namespace IrregularPassages {

// Refuses about one read in 400 (by the time zones), adds an entry of an
// unknown code at 06:10 on one day in three, the holidays 1 January and
// 25 December, and `absentees` employees after the last of the year's.
inline void write(Database& db, int lastEmployee, int absentees = 5)
{
    Transaction t(db);
    db.execute(
        QStringLiteral("UPDATE tblOnline SET iDoor = 2, iReason = 2, sDoor = 'Not Opened' WHERE rowid % 397 = 0"));
    db.execute(
        QStringLiteral("INSERT INTO tblOnline (Time_CR, Date_CR, sIn, sCard, Employee_Number, sDoor, sReason, "
                       "Employee_Full_Name, SlotNumber, CardNum, iIn, iDoor, iReason, iCard) "
                       "SELECT '06:10:00', Date_CR, 'In', 'Card', -1, 'Opened', 'Unknown Code', 'Unknown Employee', "
                       "-1, '0099' || (min(rowid) % 1000), 1, 1, 3, 1 "
                       "FROM tblOnline GROUP BY Date_CR HAVING min(rowid) % 3 = 0"));
    db.execute(QStringLiteral("INSERT OR IGNORE INTO tblHolidays (Date, Description) "
                              "VALUES ('2000-01-01', 'New Year'), ('2000-12-25', 'Christmas')"));
    for (int n = lastEmployee + 1; n <= lastEmployee + absentees; ++n)
        db.execute(
            QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name) VALUES (?, 'Away', ?)"),
            {n, QStringLiteral("Absent%1").arg(n)});
    t.commit();
}

}
