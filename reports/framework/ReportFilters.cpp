#include "reports/framework/ReportFilters.h"

#include "platform/text/DateTimeText.h"

ReportFilters ReportFilters::defaults(const QDate& today)
{
    ReportFilters f;
    f.fromDate = today.addDays(-7);
    f.toDate = today;
    return f;
}

QVariantList ReportFilters::rangeParams() const
{
    return {fromEmployee, toEmployee, DateTimeText::isoDate(fromDate), DateTimeText::isoDate(toDate)};
}
