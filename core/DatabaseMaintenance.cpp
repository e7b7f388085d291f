#include "core/DatabaseMaintenance.h"

#include "platform/AppError.h"
#include "platform/DurableFile.h"
#include "platform/db/Database.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

// Well within the moment the receive tick waits for the file (20 ms).
constexpr qint64 SliceMs = 10;
// The longest the cut lets another writer (the receive tick) have the file between two slices.
constexpr int TurnMs = 100;

// An earlier attempt's copy goes, and its journal with it: SQLite would
// otherwise play that journal back into the new copy.
void removeIfThere(const QString& path)
{
    if (!Database::removeFiles(path))
        raiseError(Err::PathFileAccess, QStringLiteral("Cannot delete %1").arg(path));
}

void checkCopy(const QString& path)
{
    const QString verdict = Database::integrityCheck(path);
    if (verdict != QLatin1String("ok"))
        raiseError(Err::DbGeneral, QStringLiteral("The compacted copy is damaged: %1").arg(verdict));
}

qint64 countRows(Database& db, const QString& table)
{
    return db.openSql(QStringLiteral("SELECT count(*) FROM %1").arg(table)).field(0).variant().toLongLong();
}

// The oldest rows beyond `kept`, found once, go in slices of about SliceMs,
// each its own transaction: another writer of the program that waits for the
// file (the reception's tick) gets it in between, and each
// slice leaves the log as a cut would, only with more rows.
void cutTable(Database& db, const QString& table, const QString& order, int kept)
{
    const qint64 extra = countRows(db, table) - kept;
    if (extra <= 0)
        return;
    db.execute(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS CutDown (Ord INTEGER PRIMARY KEY, Row INTEGER)"));
    db.execute(QStringLiteral("DELETE FROM temp.CutDown"));
    db.execute(
        QStringLiteral("INSERT INTO temp.CutDown (Row) SELECT rowid FROM %1 ORDER BY %2 LIMIT ?").arg(table, order),
        {extra});
    const QString slice =
        QStringLiteral("DELETE FROM %1 WHERE rowid IN (SELECT Row FROM temp.CutDown WHERE Ord BETWEEN ? AND ?)")
            .arg(table);
    qint64 rows = 1000;
    for (qint64 from = 1; from <= extra;) {
        const qint64 to = std::min(extra, from + rows - 1);
        QElapsedTimer spent;
        spent.start();
        db.execute(QStringLiteral("BEGIN IMMEDIATE"));
        try {
            db.execute(slice, {from, to});
            db.execute(QStringLiteral("COMMIT"));
        } catch (const AppError&) {
            db.rollback();
            throw;
        }
        from = to + 1;
        // Towards SliceMs, at most twice as many rows as the last slice: rows
        // further on may cost more (pages not in memory yet).
        const qint64 ms = std::max<qint64>(spent.elapsed(), 1);
        rows = std::clamp<qint64>(rows * SliceMs / ms, 100, 2 * rows);
        Database::letAnotherWriterIn(TurnMs);
    }
    db.execute(QStringLiteral("DROP TABLE temp.CutDown"));
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
    // From the snapshot until the copy is in place no other connection may
    // write: a row committed in between would be lost with the old file.
    auto original = Database::openExclusive(databasePath);
    try {
        original->compactInto(target);
        // The copy takes the place of the file and keeps its mode.
        if (!QFile::setPermissions(target, QFile::permissions(databasePath)))
            raiseError(Err::PathFileAccess, QStringLiteral("Cannot set the mode of %1").arg(target));
        // SQLite leaves the copy unsynced: a power cut after the swap must not find it half written.
        DurableFile::sync(target);
        checkCopy(target);
        DurableFile::replace(target, databasePath);
    } catch (const AppError&) {
        // Nothing of the attempt stays beside the file.
        Database::removeFiles(target);
        throw;
    }
    original->close();
}

void DatabaseMaintenance::cutDown(Database& db)
{
    cutTable(db, QStringLiteral("ReadCard_Tbl"), QStringLiteral("Date_Date ASC, Date_Time ASC, rowid ASC"),
             ReadCardRowsKept);
    cutTable(db, QStringLiteral("DoorStatus_Tbl"), QStringLiteral("Door_Date ASC, Door_Time ASC, rowid ASC"),
             DoorStatusRowsKept);
}
