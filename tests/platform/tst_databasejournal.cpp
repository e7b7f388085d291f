#include "platform/db/Database.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QtTest>

namespace {

const Schema logSchema = {SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS log (n INTEGER)"))};

int rowsIn(Database& db)
{
    return db.openSql(QStringLiteral("SELECT n FROM log"), {}, RecordsetType::Snapshot).recordCount();
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

    void closingFoldsTheLogBack()
    {
        const QString path = env->file(QStringLiteral("GT430.mdb"));
        auto db = Database::create(path, logSchema);
        QCOMPARE(db->openSql(QStringLiteral("PRAGMA journal_mode"), {}, RecordsetType::Snapshot).field(0).toText(),
                 QStringLiteral("wal"));
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
        // Compacting while the program still has the file open sees the last commits.
        Database::compactFile(path, clear);
        db->close();
        QVERIFY(!QFile::exists(clear + QStringLiteral("-wal")));
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::rename(clear, path));
        auto reopened = Database::open(path, logSchema);
        QCOMPARE(rowsIn(*reopened), 100);
        addRows(*reopened, 500, 10);
        reopened->close();
        auto again = Database::open(path, logSchema);
        QCOMPARE(rowsIn(*again), 110);
    }
};

QTEST_GUILESS_MAIN(DatabaseJournalTest)
#include "tst_databasejournal.moc"
