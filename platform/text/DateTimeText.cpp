#include "platform/text/DateTimeText.h"

#include <QLocale>

// The fixed ISO forms, not a format pattern: the logs write them row by row.
QString DateTimeText::isoDate(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

QString DateTimeText::isoTime(const QTime& time)
{
    return time.toString(Qt::ISODate);
}

QString DateTimeText::shortDate(const QDate& date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString DateTimeText::longTime(const QTime& time)
{
    // The long form of Qt adds the time zone, which the program never shows.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    QString bare;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            bare += c;
    }
    return time.toString(bare.trimmed());
}
