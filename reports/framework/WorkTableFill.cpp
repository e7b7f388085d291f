#include "reports/framework/WorkTableFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/db/DeferredCheckpoint.h"
#include "reports/framework/FillShow.h"

#include <QTimer>

namespace {

// The pages a fill wrote reach the file while its show pauses, not inside the fill.
void foldLogSoon()
{
    QTimer::singleShot(0, [] {
        AppState& s = appState();
        if (s.Db && s.Db->isOpen())
            DeferredCheckpoint::foldLog(*s.Db);
    });
}

}

bool refillWorkTable(int16_t procId, const QString& table, FillShow& show, const std::function<bool()>& fill)
{
    enterProcedure(procId);
    const QString empty = QStringLiteral("DELETE FROM ") + table;
    try {
        bool started = false;
        {
            DeferredCheckpoint deferred(Db());
            Transaction t(Db());
            Db().execute(empty);
            started = fill();
            t.commit();
        }
        foldLogSoon();
        if (started)
            show.end(true);
        return true;
    } catch (const AppError& error) {
        show.end(false);
        try {
            Db().execute(empty);
        } catch (const AppError&) {
            // The database itself failed; the report below says so.
        }
        ReportError(procId, error);
        return false;
    }
}
