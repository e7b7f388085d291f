#include "reports/events/StoredTime.h"

#include "reports/framework/HoursText.h"

QString clockOfStoredTime(const QString& stored)
{
    const std::optional<int> minute = HoursText::minuteOfDay(stored);
    return minute ? HoursText::clockText(*minute) : stored;
}
