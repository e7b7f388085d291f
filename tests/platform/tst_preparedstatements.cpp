#include "platform/db/Connection.h"
#include "platform/db/Database.h"
#include "platform/db/ForwardQuery.h"
#include "platform/db/RepeatedStatement.h"
#include "tests/support/DatabaseFaults.h"
#include "tests/support/FailureOf.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <sqlite3.h>

namespace {

// The texts of the statements prepared on the connection, and how many of
// them are in the middle of a run.
struct Prepared {
    QStringList texts;
    int running = 0;
};

Prepared preparedOn(Database& db)
{
    Prepared prepared;
    sqlite3* handle = db.connection()->handle();
    for (sqlite3_stmt* st = sqlite3_next_stmt(handle, nullptr); st; st = sqlite3_next_stmt(handle, st)) {
        prepared.texts << QString::fromUtf8(sqlite3_sql(st));
        if (sqlite3_stmt_busy(st))
            ++prepared.running;
    }
    return prepared;
}

}

// The statements beside the recordsets: the database's kept ones, the forward
// read and the repeated insert, on a database file of their own.
class PreparedStatementsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<Database> db;

    int made = 0;
    QString file;

    QString path() const { return file; }

private slots:
    void init()
    {
        file = dir.filePath(QStringLiteral("t%1.db").arg(++made));
        db = Database::create(file, {SchemaItem::statement(QStringLiteral("CREATE TABLE t (a, b, c)"))});
    }
    void cleanup()
    {
        if (db)
            db->close();
        db.reset();
    }

    void valuesGoInAndComeOutAsStored()
    {
        RepeatedStatement insert(*db, QStringLiteral("INSERT INTO t (a, b, c) VALUES (?, ?, ?)"));
        insert.run({42, 2.5, QStringLiteral("Grüße")});
        insert.run({QVariant(), QStringLiteral(""), qint64(1) << 40});
        insert.bindInteger(0, 7);
        insert.bindText(1, QString());
        insert.bindText(2, QByteArrayView("bytes"));
        insert.run();
        insert.bindNull(0);
        insert.bindNull(1);
        insert.bindNull(2);
        insert.run();
        ForwardQuery rows(*db, QStringLiteral("SELECT a, b, c, typeof(b) FROM t WHERE rowid <= ? ORDER BY rowid"), {3});
        QVERIFY(rows.next());
        QCOMPARE(rows.integer(0), 42);
        QCOMPARE(rows.value(1).toDouble(), 2.5);
        QCOMPARE(rows.text(2), QStringLiteral("Grüße"));
        QCOMPARE(rows.columnCount(), 4);
        QVERIFY(rows.next());
        QVERIFY(rows.isNull(0));
        QVERIFY(rows.field(0).isNull());
        // An empty text is stored as such, not as Null.
        QCOMPARE(rows.text(3), QStringLiteral("text"));
        QCOMPARE(rows.integer(2), qint64(1) << 40);
        QVERIFY(rows.next());
        QCOMPARE(rows.text(3), QStringLiteral("text"));
        QCOMPARE(rows.bytes(2), QByteArrayView("bytes"));
        QVERIFY(!rows.next());
    }

    void mistakesAreNumberedFailures()
    {
        QCOMPARE(failureOf([&] { ForwardQuery(*db, QStringLiteral("SELECT * FROM missing")); }), Err::NoSuchTable);
        QCOMPARE(failureOf([&] {
                     ForwardQuery(*db, QStringLiteral("SELECT a FROM t WHERE a = ?"), {1, 2});
                 }),
                 Err::DbGeneral);
        RepeatedStatement insert(*db, QStringLiteral("INSERT INTO t (a) VALUES (?)"));
        db->execute(QStringLiteral("CREATE UNIQUE INDEX t_a ON t (a)"));
        insert.run({1});
        QCOMPARE(failureOf([&] { insert.run({1}); }), Err::DuplicateKey);
        insert.run({2}); // the statement is usable again after a failure
        ForwardQuery rows(*db, QStringLiteral("SELECT a FROM t"));
        db->close();
        QCOMPARE(failureOf([&] { rows.next(); }), Err::ObjectInvalid);
        QCOMPARE(failureOf([&] { insert.run({3}); }), Err::ObjectInvalid);
    }

    void mistakesInTheKeptStatementsAreNumberedFailures_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<int>("failure");
        // clang-format off
        QTest::newRow("no such table") << "SELECT * FROM missing" << QVariantList{} << Err::NoSuchTable;
        QTest::newRow("no such column") << "SELECT d FROM t" << QVariantList{} << Err::SyntaxError;
        QTest::newRow("syntax") << "SELEC a FROM t" << QVariantList{} << Err::SyntaxError;
        QTest::newRow("a value too many") << "SELECT a FROM t WHERE a = ?" << QVariantList{1, 2} << Err::DbGeneral;
        QTest::newRow("a value too few") << "SELECT a FROM t WHERE a = ? AND b = ?" << QVariantList{1} << Err::DbGeneral;
        QTest::newRow("two statements") << "DELETE FROM t; DROP TABLE t" << QVariantList{} << Err::DbGeneral;
        // clang-format on
    }

    void mistakesInTheKeptStatementsAreNumberedFailures()
    {
        QFETCH(QString, sql);
        QFETCH(QVariantList, values);
        QFETCH(int, failure);
        QCOMPARE(failureOf([&] { db->execute(sql, values); }), failure);
        QCOMPARE(failureOf([&] { db->firstRow(sql, values); }), failure);
        QCOMPARE(failureOf([&] { db->queryForModel(sql, values); }), failure);
        QVERIFY(db->firstRow(QStringLiteral("SELECT count(*) FROM t")));
    }

    // Values go in as Qt's own driver bound them before, whichever statement
    // takes them: a text or date that holds nothing is Null, an empty text is
    // text; but a whole number of any size is a number (Qt made a short one text).
    void valuesAreBoundAsQtBindsThem_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("stored");
        // clang-format off
        QTest::newRow("nothing") << QVariant() << "null" << "";
        QTest::newRow("null text") << QVariant(QString()) << "null" << "";
        QTest::newRow("empty text") << QVariant(QStringLiteral("")) << "text" << "";
        QTest::newRow("text") << QVariant(QStringLiteral("Grüße")) << "text" << "Grüße";
        QTest::newRow("short number") << QVariant::fromValue<qint16>(-1) << "integer" << "-1";
        QTest::newRow("truth") << QVariant(true) << "integer" << "1";
        QTest::newRow("real") << QVariant(2.5) << "real" << "2.5";
        QTest::newRow("bytes") << QVariant(QByteArray("ab")) << "blob" << "ab";
        QTest::newRow("null date") << QVariant(QDate()) << "null" << "";
        QTest::newRow("date") << QVariant(QDate(2026, 3, 2)) << "text" << "2026-03-02";
        // clang-format on
    }

    void valuesAreBoundAsQtBindsThem()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, type);
        QFETCH(QString, stored);
        db->execute(QStringLiteral("INSERT INTO t (a) VALUES (?)"), {value});
        RepeatedStatement(*db, QStringLiteral("INSERT INTO t (a) VALUES (?)")).run({value});
        ForwardQuery rows(*db, QStringLiteral("SELECT typeof(a), CAST(a AS TEXT) FROM t WHERE typeof(a) = ?"), {type});
        QVERIFY(rows.next());
        QCOMPARE(rows.field(1).textOrEmpty(), stored);
        QVERIFY(rows.next());
        QVERIFY(!rows.next());
    }

    // The database's statements are kept by their text and run again after a
    // failure, as the receive tick runs its own again and again.
    void aKeptStatementRunsAgainAfterAFailure_data()
    {
        QTest::addColumn<int>("failure");
        // clang-format off
        QTest::newRow("duplicate key") << Err::DuplicateKey;
        QTest::newRow("missing value") << Err::NullNotAllowed;
        QTest::newRow("the file held by another program") << Err::Locked;
        // clang-format on
    }

    void aKeptStatementRunsAgainAfterAFailure()
    {
        QFETCH(int, failure);
        db->execute(QStringLiteral("CREATE TABLE k (n INTEGER PRIMARY KEY, s TEXT NOT NULL)"));
        const QString insert = QStringLiteral("INSERT INTO k (n, s) VALUES (?, ?)");
        QCOMPARE(db->insert(insert, {1, QStringLiteral("one")}), 1);
        QVariantList values{2, QStringLiteral("two")};
        std::optional<OtherProgramHoldsTheDatabase> other;
        std::optional<Database::ShortWait> moment;
        if (failure == Err::DuplicateKey)
            values = {1, QStringLiteral("again")};
        if (failure == Err::NullNotAllowed)
            values = {2, QVariant()};
        if (failure == Err::Locked) {
            other.emplace(path());
            moment.emplace(*db, 20);
        }
        QCOMPARE(failureOf([&] { db->insert(insert, values); }), failure);
        QCOMPARE(preparedOn(*db).running, 0);
        other.reset();
        QCOMPARE(db->insert(insert, {2, QStringLiteral("two")}), 2);
        QCOMPARE(db->execute(QStringLiteral("UPDATE k SET s = s || ?"), {QStringLiteral("!")}), 2);
        QCOMPARE(db->firstRow(QStringLiteral("SELECT group_concat(s, ' ') FROM (SELECT s FROM k ORDER BY n)"))
                     ->value(0)
                     .toString(),
                 QStringLiteral("one! two!"));
        QCOMPARE(preparedOn(*db).texts.count(insert), 1);
    }

    // A kept statement never stays in the middle of its rows, where it would
    // hold a read of the file open across the next commit.
    void aKeptStatementIsLeftAtRest()
    {
        for (int n = 0; n < 3; ++n)
            db->execute(QStringLiteral("INSERT INTO t (a) VALUES (?)"), {n});
        const std::optional<QVariantList> first = db->firstRow(QStringLiteral("SELECT a FROM t ORDER BY a"));
        QVERIFY(first);
        QCOMPARE(first->value(0).toInt(), 0);
        QVERIFY(!db->firstRow(QStringLiteral("SELECT a FROM t WHERE a > ?"), {5}));
        db->execute(QStringLiteral("SELECT a FROM t"));
        QCOMPARE(preparedOn(*db).running, 0);
    }

    // A table dropped and made again (an upgrade, another tool) is found
    // again by the statements prepared before; one that stays away is missing.
    void aStatementOutlivesItsTableMadeAgain()
    {
        RepeatedStatement repeated(*db, QStringLiteral("INSERT INTO t (a) VALUES (?)"));
        ForwardQuery rows(*db, QStringLiteral("SELECT count(*) FROM t"));
        const QString insert = QStringLiteral("INSERT INTO t (a, b) VALUES (?, ?)");
        db->execute(insert, {1, 1});
        db->execute(QStringLiteral("DROP TABLE t"));
        db->execute(QStringLiteral("CREATE TABLE t (a, b, c)"));
        QCOMPARE(db->execute(insert, {2, 2}), 1);
        repeated.run({3});
        QVERIFY(rows.next());
        QCOMPARE(rows.integer(0), 2);
        QVERIFY(!rows.next());
        db->execute(QStringLiteral("DROP TABLE t"));
        QCOMPARE(failureOf([&] { db->execute(insert, {4, 4}); }), Err::NoSuchTable);
        QCOMPARE(failureOf([&] { repeated.run({5}); }), Err::NoSuchTable);
    }

    // The texts made anew for each run (a number written into them) go
    // first; the ones run again and again stay prepared.
    void theKeptStatementsAreBounded()
    {
        const QString often = QStringLiteral("INSERT INTO t (a) VALUES (?)");
        for (int n = 0; n < 300; ++n) {
            db->execute(QStringLiteral("PRAGMA user_version = %1").arg(n));
            if (n % 20 == 0)
                db->execute(often, {n});
        }
        const Prepared prepared = preparedOn(*db);
        QCOMPARE(prepared.texts.size(), 64);
        QVERIFY(prepared.texts.contains(often));
        QVERIFY(prepared.texts.contains(QStringLiteral("PRAGMA user_version = 299")));
        QVERIFY(!prepared.texts.contains(QStringLiteral("PRAGMA user_version = 1")));
        QCOMPARE(db->openSql(QStringLiteral("SELECT count(*) FROM t")).field(0).variant().toInt(), 15);
    }

    // Closing finalizes every statement, kept or still held, so the file is
    // closed at once (its log folded back and gone); each is "object invalid"
    // from then on.
    void noStatementOutlivesTheClose_data()
    {
        QTest::addColumn<std::function<void(Database&)>>("use");
        // clang-format off
        QTest::newRow("execute") << std::function<void(Database&)>([](Database& d) { d.execute(QStringLiteral("DELETE FROM t")); });
        QTest::newRow("insert") << std::function<void(Database&)>([](Database& d) { d.insert(QStringLiteral("INSERT INTO t (a) VALUES (1)")); });
        QTest::newRow("first row") << std::function<void(Database&)>([](Database& d) { d.firstRow(QStringLiteral("SELECT a FROM t")); });
        QTest::newRow("a grid's query") << std::function<void(Database&)>([](Database& d) { d.queryForModel(QStringLiteral("SELECT a FROM t")); });
        QTest::newRow("transaction") << std::function<void(Database&)>([](Database& d) { d.beginTransaction(); });
        // clang-format on
    }

    void noStatementOutlivesTheClose()
    {
        QFETCH(std::function<void(Database&)>, use);
        db->execute(QStringLiteral("INSERT INTO t (a) VALUES (1), (2)"));
        use(*db);
        db->execute(QStringLiteral("DELETE FROM t"));
        ForwardQuery rows(*db, QStringLiteral("SELECT a FROM t"));
        RepeatedStatement insert(*db, QStringLiteral("INSERT INTO t (a) VALUES (?)"));
        insert.run({1});
        QVERIFY(rows.next());
        QVERIFY(QFileInfo::exists(path() + QStringLiteral("-wal")));
        db->close();
        QVERIFY(!QFileInfo::exists(path() + QStringLiteral("-wal")));
        QCOMPARE(failureOf([&] { use(*db); }), Err::ObjectInvalid);
        QCOMPARE(failureOf([&] { rows.next(); }), Err::ObjectInvalid);
        QCOMPARE(failureOf([&] { insert.run({2}); }), Err::ObjectInvalid);
        QCOMPARE(failureOf([&] { db->commit(); }), Err::ObjectInvalid);
    }
};

QTEST_GUILESS_MAIN(PreparedStatementsTest)
#include "tst_preparedstatements.moc"
