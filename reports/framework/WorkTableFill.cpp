#include "reports/framework/WorkTableFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "reports/framework/FillShow.h"

bool refillWorkTable(int16_t procId, const QString& table, FillShow& show, const std::function<bool()>& fill)
{
    enterProcedure(procId);
    const QString empty = QStringLiteral("DELETE FROM ") + table;
    try {
        bool started = false;
        {
            Transaction t(Db());
            Db().execute(empty);
            started = fill();
            t.commit();
        }
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
