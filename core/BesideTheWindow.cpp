#include "core/BesideTheWindow.h"

#include "core/AppState.h"
#include "core/HeldReports.h"

#include <QStringList>

namespace {

void runKeepingReports(const std::function<void()>& work, bool ownDatabase, const std::function<void(bool)>& ended = {})
{
    QStringList reports;
    const QString path = appState().DbPath;
    std::exception_ptr failure;
    try {
        BackgroundTask::runAndWait([&] {
            KeepReportsOnThisThread keep(reports);
            if (!ownDatabase) {
                work();
                return;
            }
            UseDatabaseOnThisThread database(path);
            work();
        });
    } catch (...) {
        failure = std::current_exception();
    }
    if (ended)
        ended(!reports.isEmpty());
    for (const QString& text : std::as_const(reports))
        DeliverReport(text);
    if (failure)
        std::rethrow_exception(failure);
}

}

void RunFunctionBesideTheWindow(const std::function<void()>& work)
{
    runKeepingReports(work, true);
}

void RunBesideTheWindowThen(const std::function<void()>& work, const std::function<void(bool)>& ended)
{
    runKeepingReports(work, appState().Db != nullptr, ended);
}

void RunBesideTheWindowWithoutDatabase(const std::function<void()>& work)
{
    runKeepingReports(work, false);
}
