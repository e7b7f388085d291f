#pragma once

#include <QDate>
#include <QList>
#include <QString>

class Database;

// One row of tblHolidays: a day that is no working day in any year.
struct Holiday {
    qint64 id = 0;
    QDate date;
    QString description;
};

namespace Holidays {

// The year every holiday is stored with; a leap year, so 29 February is a day too.
inline constexpr int StoredYear = 2000;

// Every holiday, in the order of the year.
QList<Holiday> list(Database& db);

enum class AddResult { Added, AlreadyThere };
// Stores the day and month of `date` under StoredYear as ISO text.
AddResult add(Database& db, const QDate& date, const QString& description);

// False when no holiday has that ID.
bool remove(Database& db, qint64 id);

// "25-Dec": two-digit day, hyphen, the system locale's abbreviated month.
QString dayMonthText(const QDate& date);

}
