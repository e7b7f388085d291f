#pragma once

#include <QtGlobal>
#include <vector>

struct ReportFilters;

// The numbers of the registered employees in the filters' range, in order:
// the fills that go employee by employee read them once, before they write.
std::vector<qint64> registeredEmployees(const ReportFilters& filters);
