#include "reports/framework/FillCalendar.h"

#include "core/AppState.h"
#include "core/Messages.h"

WorkingCalendar calendarForFill(int16_t procId)
{
    try {
        return WorkingCalendar::load(Db());
    } catch (const AppError& error) {
        ReportError(procId, error);
    }
    try {
        return WorkingCalendar::holidaysOnly(Db());
    } catch (const AppError&) {
        return {};
    }
}
