#include "platform/text/FourDigitYears.h"

QString withFourDigitYears(const QString& format)
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
        out += QLatin1String("yyyy");
    }
    return out;
}
