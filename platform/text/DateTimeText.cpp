#include "platform/text/DateTimeText.h"

#include "platform/text/FourDigitYears.h"

namespace {

void putTwoDigits(QChar* out, int n)
{
    out[0] = QChar(u'0' + n / 10);
    out[1] = QChar(u'0' + n % 10);
}

}

// Written digit by digit: the logs write them row by row, and a format
// pattern costs more than the row's insert.
QString DateTimeText::isoDate(const QDate& date)
{
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    if (!date.isValid() || y < 0 || y > 9999)
        return date.toString(Qt::ISODate);
    QString text(10, Qt::Uninitialized);
    QChar* out = text.data();
    putTwoDigits(out, y / 100);
    putTwoDigits(out + 2, y % 100);
    out[4] = u'-';
    putTwoDigits(out + 5, m);
    out[7] = u'-';
    putTwoDigits(out + 8, d);
    return text;
}

QString DateTimeText::isoTime(const QTime& time)
{
    if (!time.isValid())
        return {};
    QString text(8, Qt::Uninitialized);
    QChar* out = text.data();
    putTwoDigits(out, time.hour());
    out[2] = u':';
    putTwoDigits(out + 3, time.minute());
    out[5] = u':';
    putTwoDigits(out + 6, time.second());
    return text;
}

QString DateTimeText::shortDateOfStored(const QString& stored)
{
    if (stored.size() != 10)
        return stored;
    const QDate date = QDate::fromString(stored, Qt::ISODate);
    return date.isValid() ? shortDate(date) : stored;
}

QString DateTimeText::shortDate(const QDate& date, const QLocale& locale)
{
    if (!date.isValid())
        return {};
    return locale.toString(date, shortDateFormat(locale));
}

QString DateTimeText::shortDateFormat(const QLocale& locale)
{
    return withFourDigitYears(locale.dateFormat(QLocale::ShortFormat));
}

QString DateTimeText::longTime(const QTime& time)
{
    // The long form of Qt adds the time zone, which the program never shows.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
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
