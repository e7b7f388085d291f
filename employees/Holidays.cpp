#include "employees/Holidays.h"

#include "platform/AppError.h"
#include "platform/db/Database.h"
#include "platform/text/DateTimeText.h"

#include <QLocale>

QList<Holiday> Holidays::list(Database& db)
{
    QList<Holiday> holidays;
    Recordset rs = db.openSql(QStringLiteral("SELECT Date, Description, ID FROM tblHolidays ORDER BY Date"));
    for (; rs.recordCount() > 0 && !rs.eof(); rs.moveNext()) {
        Holiday h;
        h.date = rs.field(0).toDate();
        h.description = rs.field(1).textOrEmpty();
        h.id = rs.field(2).variant().toLongLong();
        holidays << h;
    }
    return holidays;
}

Holidays::AddResult Holidays::add(Database& db, const QDate& date, const QString& description)
{
    const QDate stored(StoredYear, date.month(), date.day());
    if (!stored.isValid())
        raiseError(Err::InvalidCall);
    try {
        db.execute(QStringLiteral("INSERT INTO tblHolidays (Date, Description) VALUES (?, ?)"),
                   {DateTimeText::isoDate(stored), description});
    } catch (const AppError& error) {
        if (error.number() == Err::DuplicateKey)
            return AddResult::AlreadyThere;
        throw;
    }
    return AddResult::Added;
}

bool Holidays::remove(Database& db, qint64 id)
{
    return db.execute(QStringLiteral("DELETE FROM tblHolidays WHERE ID = ?"), {id}) > 0;
}

QString Holidays::dayMonthText(const QDate& date)
{
    return date.toString(QStringLiteral("dd")) + QLatin1Char('-') +
           QLocale::system().monthName(date.month(), QLocale::ShortFormat);
}
