#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// Dates and times are stored as ISO text so that they sort and compare as text,
// and shown in the system's short date and long time forms.
namespace DateTimeText {

QString isoDate(const QDate& date);   // YYYY-MM-DD
QString isoTime(const QTime& time);   // HH:MM:SS
QString shortDate(const QDate& date); // the system locale's short date
QString longTime(const QTime& time);  // the system locale's long time

}
