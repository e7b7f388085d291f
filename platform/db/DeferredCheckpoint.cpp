#include "platform/db/DeferredCheckpoint.h"

#include "platform/AppError.h"
#include "platform/Log.h"
#include "platform/db/Database.h"

namespace {

// SQLite's own default: a commit folds the log once it holds this many pages.
constexpr int AutoCheckpointPages = 1000;

void setAutoCheckpoint(Database& db, int pages)
{
    db.execute(QStringLiteral("PRAGMA wal_autocheckpoint=%1").arg(pages));
}

}

DeferredCheckpoint::DeferredCheckpoint(Database& db) : m_db(db)
{
    setAutoCheckpoint(m_db, 0);
}

DeferredCheckpoint::~DeferredCheckpoint()
{
    try {
        setAutoCheckpoint(m_db, AutoCheckpointPages);
    } catch (const AppError& error) {
        qCWarning(lcGt430) << "The database's log is not folded after commits:" << error.description();
    }
}

void DeferredCheckpoint::foldLog(Database& db)
{
    try {
        db.execute(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
    } catch (const AppError& error) {
        // The next commit tries again.
        qCWarning(lcGt430) << "The database's log was not folded:" << error.description();
    }
}
