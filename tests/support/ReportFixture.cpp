#include "tests/support/ReportFixture.h"

#include "core/AppState.h"

void ReportFixture::addEmployee(int number, const QString& first, const QString& last, const QVariant& startTime)
{
    Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, StartTime) "
                                "VALUES (?, ?, ?, ?)"),
                 {number, first, last, startTime});
}

void ReportFixture::addEvent(int employee, const QString& date, const QString& time, int code)
{
    Db().execute(QStringLiteral("INSERT INTO tblOnline (Time_CR, Date_CR, sIn, sCard, Employee_Number, sDoor, "
                                "sReason, Employee_Full_Name, SlotNumber, CardNum, iIn, iDoor, iCard) "
                                "VALUES (?, ?, '', 'Card', ?, 'Opened', '', '', 0, '1', ?, 1, 1)"),
                 {time, date, employee, code});
}

void ReportFixture::setGroupStartTimes(const QVariant& monThu, const QVariant& fri, const QVariant& sat,
                                       const QVariant& sun)
{
    Db().execute(
        QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Start = ?, Fri_Start = ?, Sat_Start = ?, Sun_Start = ?"),
        {monThu, fri, sat, sun});
}
