#include "platform/text/FourDigitYears.h"

namespace {

QString withYearsAs(const QString& format, QLatin1String year)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            out += c;
            ++i;
            continue;
        }
        if (quoted || c != QLatin1Char('y')) {
            out += c;
            ++i;
            continue;
        }
        while (i < format.size() && format.at(i) == QLatin1Char('y'))
            ++i;
        out += year;
    }
    return out;
}

}

QString withFourDigitYears(const QString& format)
{
    return withYearsAs(format, QLatin1String("yyyy"));
}

int yearOfTwoDigits(int digits, int thisYear)
{
    const int century = thisYear - thisYear % 100;
    return digits <= thisYear % 100 ? century + digits : century - 100 + digits;
}
