#include "platform/AppError.h"
#include "platform/db/Database.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QtTest>

namespace {

const Schema peopleSchema = {
    SchemaItem::statement(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS people (Num INTEGER NOT NULL, Name TEXT, Born TEXT, Hours INTEGER DEFAULT 8)")),
    SchemaItem::statement(QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS people_num ON people (Num)")),
    SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS visits (Num INTEGER, Day TEXT)")),
    SchemaItem::statement(
        QStringLiteral("CREATE VIEW IF NOT EXISTS qryNames AS SELECT Name FROM people ORDER BY Name")),
    SchemaItem::savedQuery(QStringLiteral("qryFromNum"),
                           QStringLiteral("SELECT Name FROM people WHERE Num >= :prmNum ORDER BY Num")),
};

}

class RecordsetTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<Database> db;

    void addPerson(int num, const QVariant& name)
    {
        db->execute(QStringLiteral("INSERT INTO people (Num, Name) VALUES (?, ?)"), {num, name});
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        db = Database::create(env->file(QStringLiteral("t.db")), peopleSchema);
        addPerson(1, QStringLiteral("Ann"));
        addPerson(2, QStringLiteral("Bob"));
        addPerson(3, QStringLiteral("Cy"));
    }

    void cleanup()
    {
        db.reset();
        env.reset();
    }

    void openingFailures()
    {
        QCOMPARE(failureOf([&] { Database::open(env->file(QStringLiteral("missing.mdb")), peopleSchema); }),
                 Err::DbFileNotFound);
        QFile junk(env->file(QStringLiteral("junk.mdb")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        QCOMPARE(failureOf([&] { Database::open(junk.fileName(), peopleSchema); }), Err::CannotOpenDb);
        QCOMPARE(failureOf([&] { Database::create(junk.fileName(), peopleSchema); }), Err::CannotOpenDb);
        QCOMPARE(junk.size(), 4096);
        QCOMPARE(failureOf([&] { db->openTable(QStringLiteral("nope")); }), Err::NoSuchTable);
    }

    void openingAnOlderFileAddsWhatIsMissingAndKeepsTheRows()
    {
        const QString path = env->file(QStringLiteral("old.db"));
        {
            auto old = Database::create(path, {peopleSchema.first()});
            old->execute(QStringLiteral("INSERT INTO people (Num, Name) VALUES (7, 'Old')"));
        }
        for (int pass = 0; pass < 2; ++pass) {
            auto reopened = Database::open(path, peopleSchema);
            Recordset rs = reopened->openTable(QStringLiteral("people"));
            QCOMPARE(rs.recordCount(), 1);
            QCOMPARE(rs.field(QStringLiteral("Name")).toText(), QStringLiteral("Old"));
            QCOMPARE(reopened->openTable(QStringLiteral("visits")).recordCount(), 0);
            QCOMPARE(reopened->openQuery(QStringLiteral("qryFromNum"), {{QStringLiteral("prmNum"), 7}}).recordCount(),
                     1);
        }
    }

    void walkingStopsAtBothEnds()
    {
        Recordset rs = db->openTable(QStringLiteral("people"));
        QVERIFY(!rs.bof() && !rs.eof());
        QCOMPARE(rs.field(0).toInt16(), 1);
        rs.moveNext();
        rs.moveNext();
        QCOMPARE(rs.field(QStringLiteral("name")).toText(), QStringLiteral("Cy"));
        rs.moveNext();
        QVERIFY(rs.eof());
        QCOMPARE(failureOf([&] { rs.field(0); }), Err::NoCurrentRecord);
        QCOMPARE(failureOf([&] { rs.moveNext(); }), Err::NoCurrentRecord);
        rs.moveFirst();
        rs.movePrevious();
        QVERIFY(rs.bof());
        QCOMPARE(failureOf([&] { rs.movePrevious(); }), Err::NoCurrentRecord);
        rs.moveLast();
        QCOMPARE(rs.field(1).toText(), QStringLiteral("Cy"));
    }

    void anEmptySetHasNoCurrentRecord()
    {
        db->execute(QStringLiteral("DELETE FROM people"));
        for (RecordsetType type : {RecordsetType::Dynaset, RecordsetType::Snapshot}) {
            Recordset rs = db->openTable(QStringLiteral("people"), type);
            QVERIFY(rs.bof() && rs.eof());
            QCOMPARE(rs.recordCount(), 0);
            QCOMPARE(failureOf([&] { rs.moveFirst(); }), Err::NoCurrentRecord);
            QCOMPARE(failureOf([&] { rs.moveNext(); }), Err::NoCurrentRecord);
            QCOMPARE(failureOf([&] { rs.field(0); }), Err::NoCurrentRecord);
            QVERIFY(!rs.findFirst(QStringLiteral("Num = 1")));
        }
    }

    void fieldsAreNullAware()
    {
        addPerson(4, QVariant());
        Recordset rs = db->openTable(QStringLiteral("people"));
        rs.moveLast();
        QVERIFY(rs.field(1).isNull());
        QCOMPARE(rs.field(1).textOrEmpty(), QString());
        QCOMPARE(failureOf([&] { rs.field(1).toText(); }), Err::InvalidUseOfNull);
        QCOMPARE(failureOf([&] { rs.field(2).toInt16(); }), Err::InvalidUseOfNull);
        QCOMPARE(failureOf([&] { rs.field(2).toDate(); }), Err::InvalidUseOfNull);
        QCOMPARE(rs.field(3).toInt16(), 8);
        QCOMPARE(failureOf([&] { rs.field(9); }), Err::ItemNotFound);
        QCOMPARE(failureOf([&] { rs.field(QStringLiteral("Nope")); }), Err::ItemNotFound);
    }

    void editingNeedsEditOrAddNew()
    {
        Recordset rs = db->openTable(QStringLiteral("people"));
        QCOMPARE(failureOf([&] { rs.setField(1, QStringLiteral("X")); }), Err::UpdateWithoutEdit);
        QCOMPARE(failureOf([&] { rs.update(); }), Err::UpdateWithoutEdit);
        QCOMPARE(failureOf([&] { rs.cancelUpdate(); }), Err::UpdateWithoutEdit);

        rs.edit();
        rs.setField(QStringLiteral("Name"), QStringLiteral("Anna"));
        QCOMPARE(rs.field(1).toText(), QStringLiteral("Anna")); // the edit buffer shows through
        rs.update();
        QCOMPARE(db->openSql(QStringLiteral("SELECT Name FROM people WHERE Num = 1")).field(0).toText(),
                 QStringLiteral("Anna"));

        rs.edit();
        rs.setField(1, QStringLiteral("Dropped"));
        rs.cancelUpdate();
        QCOMPARE(rs.field(1).toText(), QStringLiteral("Anna"));

        // Moving away drops a pending edit, as the forms rely on.
        rs.edit();
        rs.setField(1, QStringLiteral("Dropped"));
        rs.moveNext();
        rs.movePrevious();
        QCOMPARE(rs.field(1).toText(), QStringLiteral("Anna"));
        QVERIFY(!rs.isEditing());
    }

    void addNewAppendsAndKeepsTheCurrentRow()
    {
        Recordset rs = db->openTable(QStringLiteral("people"));
        rs.moveNext();
        rs.addNew();
        rs.setField(0, 9);
        rs.setField(1, QStringLiteral("Dee"));
        rs.update();
        QCOMPARE(rs.field(1).toText(), QStringLiteral("Bob"));
        QCOMPARE(rs.recordCount(), 4);
        rs.moveLast();
        QCOMPARE(rs.field(1).toText(), QStringLiteral("Dee"));
        QCOMPARE(rs.field(3).toInt16(), 8); // the column default was read back

        // At EOF before the add: still at EOF after it.
        rs.moveNext();
        QVERIFY(rs.eof());
        rs.addNew();
        rs.setField(0, 10);
        rs.update();
        QVERIFY(rs.eof());
        QCOMPARE(rs.recordCount(), 5);
    }

    void aDuplicateKeyIsRefusedAndTheEditSurvives()
    {
        Recordset rs = db->openTable(QStringLiteral("people"));
        rs.addNew();
        rs.setField(0, 2);
        rs.setField(1, QStringLiteral("Twin"));
        QCOMPARE(failureOf([&] { rs.update(); }), Err::DuplicateKey);
        QVERIFY(rs.isEditing());
        rs.setField(0, 20);
        rs.update();
        QCOMPARE(rs.recordCount(), 4);

        rs.moveFirst();
        rs.edit();
        rs.setField(0, 3);
        QCOMPARE(failureOf([&] { rs.update(); }), Err::DuplicateKey);
        QCOMPARE(db->openSql(QStringLiteral("SELECT count(*) FROM people WHERE Num = 3")).field(0).toInt16(), 1);
    }

    // A row deleted since the dynaset was opened reads as deleted there, and
    // is skipped from then on.
    void deletedRowsAreSkipped()
    {
        Recordset rs = db->openTable(QStringLiteral("people"));
        db->execute(QStringLiteral("DELETE FROM people WHERE Num = 3"));
        rs.moveLast();
        QCOMPARE(failureOf([&] { rs.field(0); }), Err::RecordDeleted);
        QCOMPARE(rs.recordCount(), 2);
        rs.movePrevious();
        QCOMPARE(rs.field(1).toText(), QStringLiteral("Bob"));
        rs.moveNext();
        QVERIFY(rs.eof());
    }

    void aSnapshotIsReadOnlyAndKeepsItsCopy()
    {
        Recordset snap = db->openTable(QStringLiteral("people"), RecordsetType::Snapshot);
        QCOMPARE(failureOf([&] { snap.edit(); }), Err::ReadOnly);
        QCOMPARE(failureOf([&] { snap.addNew(); }), Err::ReadOnly);
        db->execute(QStringLiteral("UPDATE people SET Name = 'Changed'"));
        QCOMPARE(snap.field(1).toText(), QStringLiteral("Ann"));
    }

    void setsOverSqlReadOnly_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("one table") << "SELECT * FROM people ORDER BY Num";
        QTest::newRow("join") << "SELECT people.Name FROM people JOIN visits ON visits.Num = people.Num";
        QTest::newRow("grouped") << "SELECT Num, count(*) FROM people GROUP BY Num";
        QTest::newRow("view") << "SELECT * FROM qryNames";
        QTest::newRow("subquery") << "SELECT * FROM people WHERE Num IN (SELECT Num FROM visits)";
    }

    void setsOverSqlReadOnly()
    {
        QFETCH(QString, sql);
        Recordset rs = db->openSql(sql);
        QCOMPARE(failureOf([&] { rs.edit(); }), Err::ReadOnly);
        QCOMPARE(failureOf([&] { rs.addNew(); }), Err::ReadOnly);
    }

    void findFirstBindsItsValues()
    {
        addPerson(5, QStringLiteral("O'Brien"));
        for (RecordsetType type : {RecordsetType::Dynaset, RecordsetType::Snapshot}) {
            Recordset rs = db->openTable(QStringLiteral("people"), type);
            QVERIFY(rs.findFirst(QStringLiteral("[Name] = ?"), {QStringLiteral("O'Brien")}));
            QCOMPARE(rs.field(0).toInt16(), 5);
            rs.moveFirst();
            QVERIFY(!rs.findFirst(QStringLiteral("Name = ?"), {QStringLiteral("x' OR '1'='1")}));
            QCOMPARE(rs.field(0).toInt16(), 1); // no match leaves the position
            QVERIFY(rs.findFirst(QStringLiteral("Num > ?"), {1}));
            QCOMPARE(rs.field(0).toInt16(), 2);
        }
        Recordset view = db->openSql(QStringLiteral("SELECT Name FROM people ORDER BY Name DESC"));
        QVERIFY(view.findFirst(QStringLiteral("Name LIKE 'A%'")));
        QCOMPARE(view.field(0).toText(), QStringLiteral("Ann"));
        QCOMPARE(failureOf([&] { view.findFirst(QStringLiteral("Name = = 1")); }), Err::SyntaxError);
    }

    void savedQueriesAndViewsOpenByName()
    {
        Recordset q = db->openQuery(QStringLiteral("qryFromNum"), {{QStringLiteral("prmNum"), 2}});
        QCOMPARE(q.recordCount(), 2);
        QCOMPARE(q.field(0).toText(), QStringLiteral("Bob"));
        Recordset v = db->openQuery(QStringLiteral("qryNames"));
        QCOMPARE(v.recordCount(), 3);
        QCOMPARE(failureOf([&] { v.edit(); }), Err::ReadOnly);
        QCOMPARE(failureOf([&] { db->openQuery(QStringLiteral("qryNothing")); }), Err::NoSuchTable);
    }

    void closingTheDatabaseInvalidatesItsRecordsets()
    {
        Recordset rs = db->openTable(QStringLiteral("people"));
        db->close();
        QVERIFY(!rs.isOpen());
        QCOMPARE(failureOf([&] { rs.moveNext(); }), Err::ObjectInvalid);
        QCOMPARE(failureOf([&] { rs.field(0); }), Err::ObjectInvalid);
        QCOMPARE(failureOf([&] { db->execute(QStringLiteral("SELECT 1")); }), Err::ObjectInvalid);
    }

    void aTransactionRollsBackUnlessCommitted()
    {
        {
            Transaction t(*db);
            db->execute(QStringLiteral("DELETE FROM people"));
        }
        QCOMPARE(db->openTable(QStringLiteral("people")).recordCount(), 3);
        {
            Transaction t(*db);
            db->execute(QStringLiteral("DELETE FROM people WHERE Num = 1"));
            t.commit();
        }
        QCOMPARE(db->openTable(QStringLiteral("people")).recordCount(), 2);
    }

    void compactingCopiesEveryRow()
    {
        const QString source = db->path();
        db->close();
        const QString target = env->file(QStringLiteral("compact.db"));
        auto original = Database::openExclusive(source);
        original->compactInto(target);
        QCOMPARE(failureOf([&] { original->compactInto(target); }), Err::PathFileAccess); // never over a file
        original->close();
        auto copy = Database::open(target, peopleSchema);
        QCOMPARE(copy->openTable(QStringLiteral("people")).recordCount(), 3);
    }
};

QTEST_GUILESS_MAIN(RecordsetTest)
#include "tst_recordset.moc"
