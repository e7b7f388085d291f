#include "core/AppState.h"

#include "core/HeldReports.h"
#include "core/ReportKind.h"
#include "platform/AppError.h"

#include <QCoreApplication>
#include <QThread>

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
    SetReportKind(0);
    ForgetHeldReports();
}

namespace {

thread_local Database* t_ownDatabase = nullptr;

bool onApplicationThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

}

UseDatabaseOnThisThread::UseDatabaseOnThisThread(const QString& path)
    : m_db(Database::open(path, {})), m_before(t_ownDatabase)
{
    t_ownDatabase = m_db.get();
}

UseDatabaseOnThisThread::~UseDatabaseOnThisThread()
{
    t_ownDatabase = m_before;
}

Database& Db()
{
    if (t_ownDatabase)
        return *t_ownDatabase;
    // The window's connection serves the window's thread alone.
    if (!onApplicationThread())
        raiseError(Err::ObjectNotSet);
    auto& db = appState().Db;
    if (!db)
        raiseError(Err::ObjectNotSet);
    return *db;
}
