#include "reports/framework/FilterCheck.h"

#include "platform/text/VbText.h"

double leadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    double value = 0;
    for (; i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i)
        value = value * 10 + (text.at(i).unicode() - '0');
    return value;
}

std::optional<FilterProblem> checkFilters(const QString& fromEmployee, const QString& toEmployee, const QDate& fromDate,
                                          const QDate& toDate, const QDate& today)
{
    using Field = FilterProblem::Field;
    const QString missing = QStringLiteral("You Must Input Employee Number!");
    if (VbText::trim(fromEmployee).isEmpty())
        return FilterProblem{missing, Field::FromEmployee};
    if (VbText::trim(toEmployee).isEmpty())
        return FilterProblem{missing, Field::ToEmployee};
    // A toolbar button takes no focus, so the fields' own check may not have run.
    const QString above = QStringLiteral("Employee number must be below 500");
    if (leadingNumber(fromEmployee) > MaxEmployeeNumber)
        return FilterProblem{above, Field::FromEmployee};
    if (leadingNumber(toEmployee) > MaxEmployeeNumber)
        return FilterProblem{above, Field::ToEmployee};
    if (leadingNumber(toEmployee) < leadingNumber(fromEmployee))
        return FilterProblem{QStringLiteral("'From Employee' Must be below 'To Employee' !"), Field::FromEmployee};
    if (fromDate > toDate)
        return FilterProblem{QStringLiteral("'From Date' Must be below 'To date' !"), Field::None};
    if (toDate > today)
        return FilterProblem{QStringLiteral("'To Date' Must be below Current date !"), Field::None};
    return std::nullopt;
}

ReportFilters filtersOf(const QString& fromEmployee, const QString& toEmployee, const QDate& fromDate,
                        const QDate& toDate, SortDirection sort)
{
    ReportFilters f;
    f.fromEmployee = static_cast<int>(leadingNumber(fromEmployee));
    f.toEmployee = static_cast<int>(leadingNumber(toEmployee));
    f.fromEmployeeText = fromEmployee;
    f.toEmployeeText = toEmployee;
    f.fromDate = fromDate;
    f.toDate = toDate;
    f.sort = sort;
    return f;
}
