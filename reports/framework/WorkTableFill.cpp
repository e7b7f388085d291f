#include "reports/framework/WorkTableFill.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/BackgroundTask.h"
#include "platform/db/DeferredCheckpoint.h"
#include "platform/db/ForwardQuery.h"
#include "platform/db/YieldingTransaction.h"
#include "reports/framework/FillShow.h"

#include <optional>

namespace {

// Rows of the old fill deleted at a time, when there are more: a moment of
// the database's time, after which the tick may have its turn.
constexpr qint64 EmptyingSlice = 50000;

// The rows of the earlier fill go; many of them, in slices.
void emptyTable(const QString& table, FillSteps& steps)
{
    qint64 first = 0;
    qint64 last = 0;
    {
        ForwardQuery keys(Db(), QStringLiteral("SELECT min(rowid), max(rowid) FROM ") + table);
        if (!keys.next() || keys.isNull(0))
            return;
        first = keys.integer(0);
        last = keys.integer(1);
    }
    for (qint64 below = first + EmptyingSlice; below <= last; below += EmptyingSlice) {
        Db().execute(QStringLiteral("DELETE FROM %1 WHERE rowid < ?").arg(table), {below});
        steps.between();
    }
    Db().execute(QStringLiteral("DELETE FROM ") + table);
}

}

void FillSteps::between()
{
    if (m_stoppable)
        BackgroundTask::stopIfRequested();
    m_transaction.giveWay();
}

bool refillWorkTable(int16_t procId, const QString& table, FillShow& show, const std::function<bool(FillSteps&)>& fill)
{
    enterProcedure(procId);
    std::optional<AppError> failure;
    try {
        bool started = false;
        {
            DeferredCheckpoint deferred(Db());
            YieldingTransaction t(Db());
            FillSteps steps(t);
            emptyTable(table, steps);
            started = fill(steps);
            t.commit();
        }
        if (started)
            show.end(true);
        return true;
    } catch (const AppError& error) {
        failure = error;
    } catch (const BackgroundTask::Stopped&) {
        // Stopped on request: no failure to report.
    }
    show.end(false);
    // What was committed on the way goes as well; the tick keeps its turns.
    try {
        YieldingTransaction t(Db());
        FillSteps steps(t, false);
        emptyTable(table, steps);
        t.commit();
    } catch (const AppError&) {
        // The database itself failed; the report below says so.
    }
    if (failure)
        ReportError(procId, *failure);
    return false;
}
