#include "core/BesideTheWindow.h"

#include "core/AppState.h"
#include "core/HeldReports.h"

#include <QStringList>

namespace {

void runKeepingReports(const std::function<void()>& work, bool ownDatabase)
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

void RunBesideTheWindowWithoutDatabase(const std::function<void()>& work)
{
    runKeepingReports(work, false);
}
