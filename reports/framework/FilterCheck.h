#pragma once

#include "reports/framework/ReportFilters.h"

#include <QDate>
#include <QString>
#include <optional>

// The checks a report's filters pass before it is launched, in their order.
struct FilterProblem {
    enum class Field { None, FromEmployee, ToEmployee, FromDate, ToDate };
    QString message; // the English text, a dictionary key
    Field focus = Field::None;
    QString fieldName; // the English name the message stands under, if any
};

// The highest employee number.
inline constexpr int MaxEmployeeNumber = 500;

// The number at the start of a text, as the employee fields are read: leading
// blanks skipped, then the digits; none gives 0.
double leadingNumber(const QString& text);

// The first problem of the filters, or nothing when they may be launched. An
// invalid date is one its field could not read.
std::optional<FilterProblem> checkFilters(const QString& fromEmployee, const QString& toEmployee, const QDate& fromDate,
                                          const QDate& toDate, const QDate& today);

// The filters of texts that passed the check.
ReportFilters filtersOf(const QString& fromEmployee, const QString& toEmployee, const QDate& fromDate,
                        const QDate& toDate, SortDirection sort);
