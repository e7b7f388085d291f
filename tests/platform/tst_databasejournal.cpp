#include "platform/DurableFile.h"
#include "platform/db/Database.h"
#include "platform/db/DeferredCheckpoint.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace {

const Schema logSchema = {SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS log (n INTEGER)"))};

QString journalMode(Database& db)
{
    return db.openSql(QStringLiteral("PRAGMA journal_mode")).field(0).toText();
}

bool ownerOnly(const QString& path)
{
    const QFile::Permissions others =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    return (QFile::permissions(path) & others) == QFile::Permissions();
}

int rowsIn(Database& db)
{
    return db.openSql(QStringLiteral("SELECT n FROM log")).recordCount();
}

void addRows(Database& db, int from, int count)
{
    for (int i = from; i < from + count; ++i)
        db.execute(QStringLiteral("INSERT INTO log (n) VALUES (?)"), {i});
}

}

// Commits go to a write-ahead log; the database file must still be a file of
// its own once closed, so that compaction and the swap of files keep working.
class DatabaseJournalTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    // A fill's big commit leaves its pages in the log; once the fill is done,
    // commits fold the log again, and foldLog() does at once.
    void aDeferredCheckpointLeavesTheLogUntilTheFillIsDone()
    {
        const QString path = env->file(QStringLiteral("GT430.mdb"));
        auto db = Database::create(path, logSchema);
        // What the file itself holds, the log aside.
        const auto fileSize = [&] { return QFileInfo(path).size(); };
        const QString wide(2000, QLatin1Char('x'));
        {
            DeferredCheckpoint deferred(*db);
            Transaction t(*db);
            for (int i = 0; i < 3000; ++i)
                db->execute(QStringLiteral("INSERT INTO log (n) VALUES (?)"), {wide});
            t.commit();
            QVERIFY(fileSize() < 100000);
        }
        QCOMPARE(db->openSql(QStringLiteral("PRAGMA wal_autocheckpoint")).field(0).toInt16(), int16_t(1000));
        DeferredCheckpoint::foldLog(*db);
        QVERIFY(fileSize() > 3000 * 2000);
        QCOMPARE(rowsIn(*db), 3000);
    }

    void closingFoldsTheLogBack()
    {
        const QString path = env->file(QStringLiteral("GT430.mdb"));
        auto db = Database::create(path, logSchema);
        QCOMPARE(journalMode(*db), QStringLiteral("wal"));
        addRows(*db, 0, 50);
        QVERIFY(QFile::exists(path + QStringLiteral("-wal")));
        db->close();
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
        QVERIFY(!QFile::exists(path + QStringLiteral("-shm")));
        // The file alone holds every row.
        QVERIFY(QFile::copy(path, env->file(QStringLiteral("copy.mdb"))));
        auto copy = Database::open(env->file(QStringLiteral("copy.mdb")), logSchema);
        QCOMPARE(rowsIn(*copy), 50);
    }

    void compactAndSwapFiles()
    {
        const QString path = env->file(QStringLiteral("GT430.mdb"));
        const QString clear = env->file(QStringLiteral("GT430_Clear.mdb"));
        auto db = Database::create(path, logSchema);
        addRows(*db, 0, 200);
        db->execute(QStringLiteral("DELETE FROM log WHERE n < 100"));
        db->close();
        auto original = Database::openExclusive(path);
        original->compactInto(clear);
        QVERIFY(!QFile::exists(clear + QStringLiteral("-wal")));
        DurableFile::replace(clear, path);
        original->close();
        QCOMPARE(QDir(env->folder()).entryList(QDir::Files), QStringList{QStringLiteral("GT430.mdb")});
        auto reopened = Database::open(path, logSchema);
        QCOMPARE(rowsIn(*reopened), 100);
        addRows(*reopened, 500, 10);
        reopened->close();
        auto again = Database::open(path, logSchema);
        QCOMPARE(rowsIn(*again), 110);
        QCOMPARE(journalMode(*again), QStringLiteral("wal"));
    }

    void aFileInUseIsNotHeldExclusively()
    {
        const QString path = env->file(QStringLiteral("GT430.mdb"));
        auto db = Database::create(path, logSchema);
        addRows(*db, 0, 5);
        QCOMPARE(failureOf([&] { Database::openExclusive(path); }), Err::Locked);
        addRows(*db, 5, 5);
        QCOMPARE(rowsIn(*db), 10);
        QCOMPARE(journalMode(*db), QStringLiteral("wal"));
    }

    // Names, addresses and every passage: a new database, its journals and its
    // compacted copy are readable by their owner alone.
    void theFilesAreTheOwners()
    {
        const QString path = env->file(QStringLiteral("GT430.mdb"));
        auto db = Database::create(path, logSchema);
        addRows(*db, 0, 50);
        auto other = Database::open(path, logSchema);
        const QStringList files = QDir(env->folder()).entryList(QDir::Files);
        QCOMPARE(files, (QStringList{"GT430.mdb", "GT430.mdb-shm", "GT430.mdb-wal"}));
        for (const QString& name : files)
            QVERIFY2(ownerOnly(env->file(name)), qPrintable(name));
        other->close();
        db->close();
        auto original = Database::openExclusive(path);
        original->compactInto(env->file(QStringLiteral("copy.mdb")));
        QVERIFY(ownerOnly(env->file(QStringLiteral("copy.mdb"))));
    }
};

QTEST_GUILESS_MAIN(DatabaseJournalTest)
#include "tst_databasejournal.moc"
