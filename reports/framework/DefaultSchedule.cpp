#include "reports/framework/DefaultSchedule.h"

#include "core/AppState.h"
#include "employees/DoorSettings.h"

void ReloadDefaultSchedule()
{
    AppState& s = appState();
    const auto doors = DoorSettings::readRow(Db());
    if (!doors)
        return;
    if (const auto start = doors->defaultStart())
        s.DefaultStartTime = *start;
    const FieldValue& hours = doors->hours[0];
    if (!hours.isNull() && !hours.textOrEmpty().isEmpty())
        s.DefaultWorkHours = hours.toInt16();
}
