#include "platform/AppError.h"
#include "platform/db/Database.h"
#include "platform/db/SchemaUpgrade.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

namespace {

// Each step fails if it runs twice: no IF NOT EXISTS, a column added.
const SchemaSteps steps = {
    {1,
     {SchemaItem::statement(QStringLiteral("CREATE TABLE people (Num INTEGER, Name TEXT)")),
      SchemaItem::savedQuery(QStringLiteral("qryNames"), QStringLiteral("SELECT Name FROM people"))}},
    {2, {SchemaItem::statement(QStringLiteral("ALTER TABLE people ADD COLUMN Hours INTEGER DEFAULT 8"))}},
    {3,
     {SchemaItem::statement(QStringLiteral("CREATE TABLE visits (Num INTEGER, Day TEXT)")),
      SchemaItem::savedQuery(QStringLiteral("QRYNAMES"),
                             QStringLiteral("SELECT Name FROM people WHERE Hours >= :prmNum ORDER BY Name"))}},
};

QStringList tablesOf(Database& db)
{
    QStringList names;
    Recordset rs = db.openSql(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    for (; !rs.eof(); rs.moveNext())
        names << rs.field(0).toText();
    return names;
}

}

class SchemaUpgradeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    QString path() const { return env->file(QStringLiteral("t.db")); }

    // A file that went as far as `version`, with one person once there is a table.
    void fileAt(int version)
    {
        auto db = Database::create(path(), {});
        upgradeSchema(*db, steps.mid(0, version));
        if (version >= 1)
            db->execute(QStringLiteral("INSERT INTO people (Num, Name) VALUES (7, 'Old')"));
    }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void aFileIsBroughtUpFromAnyVersion_data()
    {
        QTest::addColumn<int>("from");
        for (int v = 0; v <= 3; ++v)
            QTest::addRow("from %d", v) << v;
    }

    void aFileIsBroughtUpFromAnyVersion()
    {
        QFETCH(int, from);
        fileAt(from);
        auto db = Database::open(path(), {});
        QCOMPARE(schemaVersion(*db), from);
        upgradeSchema(*db, steps);
        QCOMPARE(schemaVersion(*db), 3);
        QCOMPARE(tablesOf(*db),
                 QStringList({QStringLiteral("SavedQueries"), QStringLiteral("people"), QStringLiteral("visits")}));
        Recordset people = db->openQuery(QStringLiteral("qryNames"), {{QStringLiteral("prmNum"), 8}});
        QCOMPARE(people.recordCount(), from >= 1 ? 1 : 0);
        if (from >= 1)
            QCOMPARE(people.field(0).toText(), QStringLiteral("Old"));
        // A later step's text replaces the query of the same name.
        Recordset saved = db->openSql(QStringLiteral("SELECT SqlText FROM SavedQueries"));
        QCOMPARE(saved.recordCount(), 1);
        QVERIFY(saved.field(0).toText().contains(QStringLiteral("Hours")));
        // Up to date, nothing runs again.
        upgradeSchema(*db, steps);
        QCOMPARE(schemaVersion(*db), 3);
    }

    // At the latest version nothing runs again, but what the file has lost
    // comes back: the table with the rows a new file gives it, the query.
    void aLostPieceComesBackWithItsFirstRows()
    {
        fileAt(3);
        auto db = Database::open(path(), {});
        db->execute(QStringLiteral("DROP TABLE visits"));
        db->execute(QStringLiteral("DELETE FROM SavedQueries"));
        const Schema firstRows = {
            SchemaItem::firstRows(QStringLiteral("visits"), QStringLiteral("INSERT INTO visits VALUES (1, 'first')")),
            SchemaItem::firstRows(QStringLiteral("people"), QStringLiteral("INSERT INTO people (Num) VALUES (99)"))};
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("lacked .*: table visits, query QRYNAMES$")));
        upgradeSchema(*db, steps, firstRows);
        QCOMPARE(schemaVersion(*db), 3);
        Recordset visits = db->openTable(QStringLiteral("visits"));
        QCOMPARE(visits.recordCount(), 1);
        QCOMPARE(visits.field(1).toText(), QStringLiteral("first"));
        // The table that stood keeps its rows and gets none.
        QCOMPARE(db->openQuery(QStringLiteral("qryNames"), {{QStringLiteral("prmNum"), 8}}).recordCount(), 1);
        // Whole again, the next opening adds nothing.
        upgradeSchema(*db, steps, firstRows);
        QCOMPARE(db->openTable(QStringLiteral("visits")).recordCount(), 1);
    }

    // What cannot come back leaves the file as it was: nothing of the rest is added.
    void theLostPiecesComeBackInOneTransaction()
    {
        SchemaSteps unique = steps;
        unique << SchemaStep{4,
                             {SchemaItem::statement(QStringLiteral("CREATE UNIQUE INDEX people_Num ON people (Num)"))}};
        {
            auto db = Database::create(path(), {});
            upgradeSchema(*db, unique);
            db->execute(QStringLiteral("DROP INDEX people_Num"));
            db->execute(QStringLiteral("DROP TABLE visits"));
            db->execute(QStringLiteral("INSERT INTO people (Num, Name) VALUES (7, 'Old'), (7, 'Twin')"));
        }
        auto db = Database::open(path(), {});
        QVERIFY(failureOf([&] { upgradeSchema(*db, unique); }) != 0);
        QCOMPARE(tablesOf(*db), QStringList({QStringLiteral("SavedQueries"), QStringLiteral("people")}));
    }

    void aStepThatFailsLeavesTheVersionBefore()
    {
        fileAt(1);
        SchemaSteps broken = steps.mid(0, 2);
        broken[1].items << SchemaItem::statement(QStringLiteral("CREATE TABLE visits (Num INTEGER)"))
                        << SchemaItem::statement(QStringLiteral("INSERT INTO nowhere VALUES (1)"));
        auto db = Database::open(path(), {});
        QVERIFY(failureOf([&] { upgradeSchema(*db, broken); }) != 0);
        QCOMPARE(schemaVersion(*db), 1);
        QVERIFY(!tablesOf(*db).contains(QStringLiteral("visits")));
        upgradeSchema(*db, steps);
        QCOMPARE(schemaVersion(*db), 3);
    }

    void aNewerFileIsRefusedAndLeftAsItIs()
    {
        {
            auto db = Database::create(path(), {});
            db->execute(QStringLiteral("CREATE TABLE people (Num INTEGER)"));
            db->execute(QStringLiteral("PRAGMA user_version = 4"));
        }
        auto db = Database::open(path(), {});
        try {
            upgradeSchema(*db, steps);
            QFAIL("a newer file was taken");
        } catch (const AppError& error) {
            QCOMPARE(error.number(), Err::UnrecognizedDbFormat);
            QVERIFY2(error.description().contains(QStringLiteral("newer version")), qPrintable(error.description()));
            QVERIFY(error.description().contains(path()));
        }
        QCOMPARE(schemaVersion(*db), 4);
        QCOMPARE(tablesOf(*db), QStringList({QStringLiteral("people")}));
    }

    void stepsOutOfOrderAreRefused()
    {
        fileAt(0);
        auto db = Database::open(path(), {});
        QCOMPARE(failureOf([&] { upgradeSchema(*db, {steps[0], steps[2]}); }), Err::InvalidCall);
        QCOMPARE(schemaVersion(*db), 0);
    }
};

QTEST_GUILESS_MAIN(SchemaUpgradeTest)
#include "tst_schemaupgrade.moc"
