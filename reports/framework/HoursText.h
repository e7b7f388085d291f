#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// The texts the working-hours reports write their times in.
namespace HoursText {

// A whole number as the reports print it: a blank where a minus would stand.
QString str(qint64 n);

// Minutes as hours and minutes: " 7:05", " 12:30", " 0:00".
QString hoursMinutes(qint64 minutes);

// The same behind a pad (five blanks under ten hours, three from ten on) and a
// three-character mark: "     (*) 7:05", "       12:30".
QString padded(qint64 minutes, const QString& mark);

inline const QString IncompleteMark = QStringLiteral("(*)");
inline const QString NoMark = QStringLiteral("   ");

// The second of the day of a time text "H:mm" or "HH:mm:ss" (blanks around it
// allowed); nothing when the text is no time.
std::optional<int> secondOfDay(QStringView time);
std::optional<int> secondOfDay(QByteArrayView time);
// The same in minutes, the seconds ignored.
std::optional<int> minuteOfDay(QStringView time);

// True for a stored day "YYYY-MM-DD" that the calendar has (not 2026-02-30).
bool isStoredDay(QByteArrayView day);

// "HH:mm" of a minute of the day.
QString clockText(int minuteOfDay);

}
