#include "reports/framework/FilterCheck.h"

#include "platform/text/VbText.h"

namespace {

FilterProblem problem(const QString& message, FilterProblem::Field focus, const QString& fieldName = {})
{
    FilterProblem p;
    p.message = message;
    p.focus = focus;
    p.fieldName = fieldName;
    return p;
}

}

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
        return problem(missing, Field::FromEmployee);
    if (VbText::trim(toEmployee).isEmpty())
        return problem(missing, Field::ToEmployee);
    // A toolbar button takes no focus, so the fields' own check may not have run.
    const QString above = QStringLiteral("Employee number must be below 500");
    if (leadingNumber(fromEmployee) > MaxEmployeeNumber)
        return problem(above, Field::FromEmployee);
    if (leadingNumber(toEmployee) > MaxEmployeeNumber)
        return problem(above, Field::ToEmployee);
    if (leadingNumber(toEmployee) < leadingNumber(fromEmployee))
        return problem(QStringLiteral("'From Employee' Must be below 'To Employee' !"), Field::FromEmployee);
    const QString unreadable = QStringLiteral("Invalid Date!");
    if (!fromDate.isValid())
        return problem(unreadable, Field::FromDate, QStringLiteral("From Date"));
    if (!toDate.isValid())
        return problem(unreadable, Field::ToDate, QStringLiteral("To Date"));
    if (fromDate > toDate)
        return problem(QStringLiteral("'From Date' Must be below 'To date' !"), Field::None);
    if (toDate > today)
        return problem(QStringLiteral("'To Date' Must be below Current date !"), Field::None);
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
