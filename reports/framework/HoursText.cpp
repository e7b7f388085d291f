#include "reports/framework/HoursText.h"

#include <QDate>

QString HoursText::str(qint64 n)
{
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

QString HoursText::hoursMinutes(qint64 minutes)
{
    const qint64 rest = minutes % 60;
    return str(minutes / 60) + QLatin1Char(':') + (rest < 10 ? QStringLiteral("0") : QString()) + QString::number(rest);
}

QString HoursText::padded(qint64 minutes, const QString& mark)
{
    const QString pad = minutes / 60 < 10 ? QStringLiteral("     ") : QStringLiteral("   ");
    return pad + mark + hoursMinutes(minutes);
}

namespace {

int code(QChar c)
{
    return c.unicode();
}

int code(char c)
{
    return static_cast<unsigned char>(c);
}

template <class Text>
std::optional<int> parseTime(const Text& time)
{
    int parts[3] = {0, 0, 0};
    int part = 0;
    int digits = 0;
    qsizetype begin = 0;
    qsizetype end = time.size();
    while (begin < end && code(time[begin]) == ' ')
        ++begin;
    while (end > begin && code(time[end - 1]) == ' ')
        --end;
    for (qsizetype i = begin; i < end; ++i) {
        const int c = code(time[i]);
        if (c >= '0' && c <= '9' && digits < 2) {
            parts[part] = parts[part] * 10 + (c - '0');
            ++digits;
        } else if (c == ':' && digits > 0 && part < 2) {
            ++part;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    // Hours of one or two digits, then minutes and seconds of two.
    if (part == 0 || digits != 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    return parts[0] * 3600 + parts[1] * 60 + parts[2];
}

}

std::optional<int> HoursText::secondOfDay(QStringView time)
{
    return parseTime(time);
}

std::optional<int> HoursText::secondOfDay(QByteArrayView time)
{
    return parseTime(time);
}

std::optional<int> HoursText::minuteOfDay(QStringView time)
{
    const std::optional<int> second = parseTime(time);
    return second ? std::optional<int>(*second / 60) : std::nullopt;
}

bool HoursText::isStoredDay(QByteArrayView day)
{
    if (day.size() != 10 || day[4] != '-' || day[7] != '-')
        return false;
    int parts[3] = {0, 0, 0};
    int part = 0;
    for (qsizetype i = 0; i < day.size(); ++i) {
        if (i == 4 || i == 7) {
            ++part;
            continue;
        }
        if (day[i] < '0' || day[i] > '9')
            return false;
        parts[part] = parts[part] * 10 + (day[i] - '0');
    }
    return QDate::isValid(parts[0], parts[1], parts[2]);
}

QString HoursText::clockText(int minuteOfDay)
{
    const int h = minuteOfDay / 60;
    const int m = minuteOfDay % 60;
    const QChar text[5] = {QChar(u'0' + h / 10), QChar(u'0' + h % 10), QChar(u':'), QChar(u'0' + m / 10),
                           QChar(u'0' + m % 10)};
    return QString(text, 5);
}
