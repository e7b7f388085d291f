#include "reports/framework/HoursText.h"

#include <QRegularExpression>

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

std::optional<int> HoursText::minuteOfDay(const QString& time)
{
    static const QRegularExpression shape(QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*$"));
    const auto m = shape.match(time);
    if (!m.hasMatch())
        return std::nullopt;
    const int hours = m.captured(1).toInt();
    const int minutes = m.captured(2).toInt();
    if (hours > 23 || minutes > 59 || (m.hasCaptured(3) && m.captured(3).toInt() > 59))
        return std::nullopt;
    return hours * 60 + minutes;
}

QString HoursText::clockText(int minuteOfDay)
{
    return QStringLiteral("%1:%2").arg(minuteOfDay / 60, 2, 10, QLatin1Char('0')).arg(minuteOfDay % 60, 2, 10, QLatin1Char('0'));
}
