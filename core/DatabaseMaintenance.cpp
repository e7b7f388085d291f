#include "core/DatabaseMaintenance.h"

#include "platform/AppError.h"
#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

void removeIfThere(const QString& path)
{
    if (QFileInfo::exists(path) && !QFile::remove(path))
        raiseError(Err::PathFileAccess, QStringLiteral("Cannot delete %1").arg(path));
}

void checkCopy(const QString& path)
{
    auto copy = Database::open(path, {});
    const FieldValue verdict = copy->openSql(QStringLiteral("PRAGMA integrity_check"), {}, RecordsetType::Snapshot).field(0);
    copy->close();
    if (verdict.textOrEmpty() != QLatin1String("ok"))
        raiseError(Err::DbGeneral, QStringLiteral("The compacted copy is damaged: %1").arg(verdict.textOrEmpty()));
}

qint64 countRows(Database& db, const QString& table)
{
    return db.openSql(QStringLiteral("SELECT count(*) FROM %1").arg(table), {}, RecordsetType::Snapshot)
        .field(0)
        .variant()
        .toLongLong();
}

void cutTable(Database& db, const QString& table, const QString& order, int kept)
{
    const qint64 extra = countRows(db, table) - kept;
    if (extra <= 0)
        return;
    db.execute(QStringLiteral("DELETE FROM %1 WHERE rowid IN (SELECT rowid FROM %1 ORDER BY %2 LIMIT ?)").arg(table, order),
               {extra});
}

}

bool DatabaseMaintenance::compactAdvised(qint64 fileSize)
{
    return fileSize > CompactAdvisedAbove;
}

bool DatabaseMaintenance::cutAdvised(int readCardRows)
{
    return readCardRows > ReadCardRowsKept;
}

int DatabaseMaintenance::readCardRows(Database& db)
{
    return static_cast<int>(countRows(db, QStringLiteral("ReadCard_Tbl")));
}

void DatabaseMaintenance::compactFile(const QString& databasePath)
{
    const QString target = QFileInfo(databasePath).dir().filePath(CompactTargetName);
    removeIfThere(target);
    try {
        Database::compactFile(databasePath, target);
        checkCopy(target);
        // A write-ahead log still beside the file means another connection has it
        // open; the copy must not replace a database that is still being written.
        if (QFileInfo::exists(databasePath + QStringLiteral("-wal")))
            raiseError(Err::PathFileAccess, QStringLiteral("The database is still in use: %1").arg(databasePath));
        // rename() replaces the original in one step: there is never a moment without a database file.
        if (std::rename(QFile::encodeName(target).constData(), QFile::encodeName(databasePath).constData()) != 0)
            raiseError(Err::PathFileAccess, QStringLiteral("Cannot put the compacted copy in place: %1")
                                                .arg(QString::fromLocal8Bit(std::strerror(errno))));
    } catch (const AppError&) {
        QFile::remove(target);
        throw;
    }
}

void DatabaseMaintenance::cutDown(Database& db)
{
    Transaction t(db);
    cutTable(db, QStringLiteral("ReadCard_Tbl"), QStringLiteral("Date_Date ASC, Date_Time ASC, rowid ASC"),
             ReadCardRowsKept);
    cutTable(db, QStringLiteral("DoorStatus_Tbl"), QStringLiteral("Door_Date ASC, Door_Time ASC, rowid ASC"),
             DoorStatusRowsKept);
    t.commit();
}
