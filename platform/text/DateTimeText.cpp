#include "platform/text/DateTimeText.h"

#include <QLocale>

QString DateTimeText::isoDate(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString DateTimeText::isoTime(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
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
