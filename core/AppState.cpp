#include "core/AppState.h"

#include "core/HeldReports.h"
#include "link/LinkState.h"
#include "platform/AppError.h"
#include "reports/framework/ReportKind.h"

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
    linkState() = LinkState{};
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
