#include "reports/framework/ReportMayRun.h"

#include "core/ReportKind.h"

std::optional<MissingDefault> missingDefault(int kind, const QString& defaultStartTime, int16_t defaultWorkHours)
{
    if (kind == ReportKinds::LateArrival && defaultStartTime.isEmpty())
        return MissingDefault{QStringLiteral("Please Enter Start Time"), MissingDefault::Setting::StartTime, false};
    if (kind == ReportKinds::IncompleteHours && defaultWorkHours == 0)
        return MissingDefault{QStringLiteral("Please Enter Working Hours"), MissingDefault::Setting::WorkingHours,
                              true};
    return std::nullopt;
}
