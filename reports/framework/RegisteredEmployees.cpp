#include "reports/framework/RegisteredEmployees.h"

#include "core/AppState.h"
#include "platform/db/ForwardQuery.h"
#include "reports/framework/ReportFilters.h"

std::vector<qint64> registeredEmployees(const ReportFilters& filters)
{
    std::vector<qint64> numbers;
    ForwardQuery q(Db(),
                   QStringLiteral("SELECT Employee_Number FROM tblEmployees WHERE Employee_Number BETWEEN ? AND ? "
                                  "ORDER BY Employee_Number"),
                   {filters.fromEmployee, filters.toEmployee});
    while (q.next())
        numbers.push_back(q.integer(0));
    return numbers;
}
