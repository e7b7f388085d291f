#include "core/AppState.h"

#include "core/HeldReports.h"
#include "core/ReportKind.h"
#include "platform/AppError.h"

AppState& appState()
{
    static AppState state;
    return state;
}

void resetAppState()
{
    AppState& s = appState();
    s.rsEmployees.close();
    if (s.Db)
        s.Db->close();
    s = AppState{};
    ReportKind = 0;
    ForgetHeldReports();
}

Database& Db()
{
    auto& db = appState().Db;
    if (!db)
        raiseError(Err::ObjectNotSet);
    return *db;
}
