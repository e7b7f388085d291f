#pragma once

#include "reports/framework/SortOrder.h"

#include <QDate>
#include <QString>
#include <QVariantList>
#include <cstdint>
#include <optional>

// What the report filter window hands to a report when it is launched: the
// employee range (as numbers for the SQL and as typed for the page headers),
// the first and last day, and the sort direction.
struct ReportFilters {
    int fromEmployee = 1;
    int toEmployee = 500;
    QString fromEmployeeText = QStringLiteral("1");
    QString toEmployeeText = QStringLiteral("500");
    QDate fromDate;
    QDate toDate;
    SortDirection sort = SortDirection::Ascending;
    // The default start time and working hours of the door settings that the
    // late-arrival and incomplete-hours fills fall back on, as they stood when
    // the report was launched; unset, as they stand when the fill reads them.
    std::optional<QString> defaultStartTime;
    std::optional<int16_t> defaultWorkHours;

    // The filter window's state right after it loads, on the day `today`.
    static ReportFilters defaults(const QDate& today);

    // The four values every fill selects events by: employee range, then ISO dates.
    QVariantList rangeParams() const;
};
