#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// Dates and times are stored as ISO text so that they sort and compare as text,
// and shown in the system's short date and long time forms. The locale is the
// default one, the system's unless a test has set another.
namespace DateTimeText {

QString isoDate(const QDate& date); // YYYY-MM-DD
QString isoTime(const QTime& time); // HH:MM:SS

// The short date as every screen, printout and report file writes it: the
// locale's order with four-digit years ("3/2/2026", "02.03.2026"), whatever
// number of year digits the locale's short form has. Empty for no date.
QString shortDate(const QDate& date, const QLocale& locale = QLocale());
// A stored day "YYYY-MM-DD" as shortDate writes it; any other text (a total
// row's word) as it stands.
QString shortDateOfStored(const QString& stored);
// Its format, which the date fields show too.
QString shortDateFormat(const QLocale& locale = QLocale());

QString longTime(const QTime& time); // the locale's long time

}
