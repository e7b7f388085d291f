#include "platform/db/Database.h"
#include "platform/db/ForwardQuery.h"
#include "platform/db/RepeatedStatement.h"
#include "tests/support/FailureOf.h"

#include <QTemporaryDir>
#include <QtTest>

// The forward read and the repeated insert, on a database file of their own.
class NativeStatementsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<Database> db;

private slots:
    void init()
    {
        db = Database::create(dir.filePath(QStringLiteral("t%1.db").arg(QTest::currentTestFunction())),
                              {SchemaItem::statement(QStringLiteral("CREATE TABLE t (a, b, c)"))});
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
};

QTEST_GUILESS_MAIN(NativeStatementsTest)
#include "tst_nativestatements.moc"
