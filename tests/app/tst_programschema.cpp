#include "app/ProgramSchema.h"
#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "core/SharedLookups.h"
#include "platform/AppError.h"
#include "platform/db/Database.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/HoursReportFill.h"
#include "tests/support/ShippedDatabase.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

namespace {

int latestVersion()
{
    return static_cast<int>(programSchemaSteps().size());
}

// Every table, index, view and saved query with its text.
QStringList layoutOf(const QString& path)
{
    auto db = Database::open(path, {});
    QStringList layout;
    Recordset master = db->openSql(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY type, name"));
    for (; !master.eof(); master.moveNext())
        layout << master.field(0).toText() + QLatin1Char(' ') + master.field(1).toText() + QLatin1Char(' ') +
                      master.field(2).textOrEmpty();
    Recordset saved = db->openSql(QStringLiteral("SELECT Name, SqlText FROM SavedQueries ORDER BY Name"));
    for (; !saved.eof(); saved.moveNext())
        layout << QStringLiteral("query ") + saved.field(0).toText() + QLatin1Char(' ') + saved.field(1).toText();
    return layout;
}

int versionOf(const QString& path)
{
    auto db = Database::open(path, {});
    return schemaVersion(*db);
}

// The totals of the working-hours fill over 1 to 7 March 2020, one an employee.
QStringList workedInTheFirstWeekOfMarch2020()
{
    ReportFilters week;
    week.fromDate = QDate(2020, 3, 1);
    week.toDate = QDate(2020, 3, 7);
    NoFillShow show;
    if (!FillIn_HoursReport_Tbl(week, show))
        return {QStringLiteral("the fill failed")};
    QStringList totals;
    for (Recordset rs = Db().openSql(QStringLiteral("SELECT SumDay FROM tblHoursReport WHERE IsTotal = 1")); !rs.eof();
         rs.moveNext())
        totals << rs.field(0).textOrEmpty();
    return totals;
}

}

// The layout of "GT430.mdb" step by step, from the files earlier builds laid
// down (tests/support/layouts). A new step gets a test of its own here beside
// the one every shipped file passes: a file of the version before it
// (shippedLayout(N - 1)) with rows in what the step changes, opened by the
// program, keeps those rows and gains the change. When a build ships, a dump
// of a new file it lays down joins the layouts.
class ProgramSchemaTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    QString path() const { return env->file(DatabaseFileName); }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void aFreshFileCarriesTheLatestVersion()
    {
        env->createDatabase();
        QCOMPARE(versionOf(path()), latestVersion());
        OpenMainDatabase();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(Db().openTable(QStringLiteral("tblIni")).recordCount(), 1);
        QCOMPARE(Db().openTable(QStringLiteral("DoorsNames_Tbl")).recordCount(), 1);
    }

    void everyShippedFileReachesTheLayoutOfANewFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("version");
        for (const ShippedLayout& layout : shippedLayouts())
            QTest::newRow(qPrintable(layout.name)) << layout.name << layout.version;
    }

    // Brought up to date, the file an earlier build laid down has the layout of
    // a new file, and the rows that build gave it once only.
    void everyShippedFileReachesTheLayoutOfANewFile()
    {
        QFETCH(QString, name);
        QFETCH(int, version);
        const QString fresh = env->file(QStringLiteral("fresh.mdb"));
        CreateProgramDatabase(fresh);
        createShippedDatabase(path(), {name, version});
        QCOMPARE(versionOf(path()), version);
        OpenMainDatabase();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(Db().openTable(QStringLiteral("tblIni")).recordCount(), 1);
        QCOMPARE(Db().openTable(QStringLiteral("DoorsNames_Tbl")).recordCount(), 1);
        CloseMainDatabase();
        QCOMPARE(versionOf(path()), latestVersion());
        QCOMPARE(layoutOf(path()), layoutOf(fresh));
    }

    // The builds before the layout had a number left their files at version 0;
    // step 1 takes them as they stand, rows and all.
    void aFileOfAnEarlierBuildIsUpgradedWithItsRows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("register and settings only") << "v0-4231cf7";
        QTest::newRow("with the link's logs") << "v0-3900423";
    }

    void aFileOfAnEarlierBuildIsUpgradedWithItsRows()
    {
        QFETCH(QString, name);
        createShippedDatabase(path(), {name, 0});
        const bool withLogs = name == QLatin1String("v0-3900423");
        {
            auto old = Database::open(path(), {});
            old->execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, Last_Name) VALUES (7, 'Old')"));
            if (withLogs)
                old->execute(
                    QStringLiteral("INSERT INTO tblOnline (Date_CR, Employee_Number) VALUES ('2024-01-02', 7)"));
        }
        OpenMainDatabase();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(appState().rsEmployees.recordCount(), 1);
        QCOMPARE(Db().openTable(QStringLiteral("tblOnline")).recordCount(), withLogs ? 1 : 0);
        QCOMPARE(Db().openTable(QStringLiteral("tblIni")).recordCount(), 1);
        CloseMainDatabase();
        QCOMPARE(versionOf(path()), latestVersion());
    }

    // Step 2: the register of a version-1 file gains the index of the lookup
    // by code, and its padded codes are still found.
    void step2IndexesTheCodesOfAnExistingRegister()
    {
        createShippedDatabase(path(), shippedLayout(1));
        {
            auto db = Database::open(path(), {});
            db->execute(
                QStringLiteral("INSERT INTO tblEmployees (Employee_Number, Last_Name, First_Name, Employee_Code)"
                               " VALUES (3, 'Old', 'Ann', ' 0042  ')"));
        }
        OpenMainDatabase();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(GetEmployeeNumberByCode(QStringLiteral("0042")), int16_t(3));
        QCOMPARE(Db().openSql(QStringLiteral("SELECT name FROM sqlite_master WHERE name = 'tblEmployees_Code'"))
                     .recordCount(),
                 1);
        CloseMainDatabase();
        QVERIFY(versionOf(path()) >= 2);
    }

    // Step 3: a version-2 register keeps its employees and gains the editor's
    // work table, the holidays and the list's query over those employees.
    void step3AddsTheRegistersTablesAndQuery()
    {
        createShippedDatabase(path(), shippedLayout(2));
        {
            auto db = Database::open(path(), {});
            db->execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, Last_Name, First_Name, SlotNumber)"
                                       " VALUES (12, 'Old', 'Ann', NULL)"));
        }
        OpenMainDatabase();
        QVERIFY(env->prompts.boxes.isEmpty());
        Recordset list = Db().openQuery(QStringLiteral("qryEmployees"), {});
        QCOMPARE(list.recordCount(), 1);
        QCOMPARE(list.field(0).variant().toInt(), 12);
        QCOMPARE(list.field(QStringLiteral("SlotNumber")).variant().toInt(), 0);
        QCOMPARE(Db().openTable(QStringLiteral("tblTempEmp")).recordCount(), 0);
        Db().execute(QStringLiteral("INSERT INTO tblHolidays (Date, Description) VALUES ('2000-12-25', 'X')"));
        QVERIFY_THROWS_EXCEPTION(AppError,
                                 Db().execute(QStringLiteral("INSERT INTO tblHolidays (Date) VALUES ('2000-12-25')")));
        CloseMainDatabase();
        QVERIFY(versionOf(path()) >= 3);
    }

    // Step 5: the events of a version-4 file gain the index the working-hours
    // fill reads them through, in place of the employee index it covers, and
    // the fill then finds them.
    void step5IndexesTheEventsForTheWorkingHours()
    {
        createShippedDatabase(path(), shippedLayout(4));
        {
            auto db = Database::open(path(), {});
            db->execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, Last_Name, First_Name) "
                                       "VALUES (7, 'Old', 'Ann')"));
            for (const char* event : {"08:00:00', 1", "12:30:00', 2"})
                db->execute(QStringLiteral("INSERT INTO tblOnline (Employee_Number, Date_CR, Time_CR, iIn) "
                                           "VALUES (7, '2020-03-02', '") +
                            QString::fromLatin1(event) + QLatin1Char(')'));
        }
        OpenMainDatabase();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(workedInTheFirstWeekOfMarch2020(), QStringList{" 4:30"});
        QStringList indexes;
        for (Recordset rs = Db().openSql(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND "
                                                        "tbl_name = 'tblOnline' AND name <> 'tblOnline_Refused' "
                                                        "ORDER BY name"));
             !rs.eof(); rs.moveNext())
            indexes << rs.field(0).toText();
        QCOMPARE(indexes, (QStringList{QStringLiteral("tblOnline_Attendance"), QStringLiteral("tblOnline_Date")}));
        CloseMainDatabase();
        QVERIFY(versionOf(path()) >= 5);
    }

    // Step 6: a version-5 file keeps its event log and working-hours rows and
    // gains the work tables of the event reports, the queries they read the
    // log and the working hours through, and the index of refused passages.
    void step6AddsTheEventReportsOverTheRowsThatStand()
    {
        createShippedDatabase(path(), shippedLayout(5));
        {
            auto db = Database::open(path(), {});
            db->execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, Last_Name, First_Name, SlotNumber,"
                                       " Employee_Code, WorkingHours) VALUES (7, 'Old', 'Ann', 3, '0042', 6)"));
            db->execute(QStringLiteral("INSERT INTO tblOnline (Employee_Number, Date_CR, Time_CR, iIn, iDoor, iReason,"
                                       " SlotNumber, CardNum) VALUES"
                                       " (7, '2025-06-02', '08:00:00', 1, 2, 2, 9, '99'),"
                                       " (7, '2025-06-02', '17:00:00', 2, 1, 0, 9, '99'),"
                                       " (-1, '2025-06-03', '09:00:00', 1, 1, 3, 4, '1234')"));
            db->execute(QStringLiteral("INSERT INTO tblHoursReport (Employee_Number, Employee_Name, Date, DayTotal,"
                                       " DayHours, DayMinutes, GlobalTotal, IsTotal) VALUES"
                                       " (7, '7 Old  Ann', '2025-06-02', NULL, NULL, NULL, NULL, 0),"
                                       " (7, '7 Old  Ann', '2025-06-02', '         9:00', 9, 0, '         9:00', 0),"
                                       " (7, '7 Old  Ann', 'Total', '         9:00', 9, 0, '         9:00', 1)"));
        }
        OpenMainDatabase();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(Db().openTable(QStringLiteral("tblOnline")).recordCount(), 3);
        for (const char* table : {"tblOnlineReport", "tblMissingReport", "tblExceptReport", "tblUnauthorized"})
            QCOMPARE(Db().openTable(QString::fromLatin1(table)).recordCount(), 0);
        Recordset refused = Db().openQuery(QStringLiteral("qryForUnauthorized"), {});
        QCOMPARE(refused.recordCount(), 1);
        QCOMPARE(refused.field(1).toText(), QStringLiteral("2025-06-02"));
        QCOMPARE(refused.field(5).variant().toInt(), 3);
        QCOMPARE(refused.field(6).toText(), QStringLiteral("0042"));
        Recordset unknown = Db().openQuery(QStringLiteral("qryUnauthorized2"), {});
        QCOMPARE(unknown.recordCount(), 1);
        QCOMPARE(unknown.field(6).toText(), QStringLiteral("1234"));
        Recordset days = Db().openQuery(QStringLiteral("qryForExceptReport"), {});
        QCOMPARE(days.recordCount(), 2);
        QCOMPARE(days.field(3).variant().toInt(), 6);
        QCOMPARE(days.field(5).variant().toInt(), 9);
        const auto eventsOn = [](const char* day) {
            return Db()
                .openQuery(QStringLiteral("qryParamMissingReport"),
                           {{QStringLiteral("prmNum"), 7}, {QStringLiteral("prmDate"), QString::fromLatin1(day)}})
                .recordCount();
        };
        QCOMPARE(eventsOn("2025-06-02"), 2);
        QCOMPARE(eventsOn("2025-06-03"), 0);
        QCOMPARE(Db().openSql(QStringLiteral("SELECT name FROM sqlite_master WHERE name = 'tblOnline_Refused'"))
                     .recordCount(),
                 1);
        CloseMainDatabase();
        QVERIFY(versionOf(path()) >= 6);
    }

    // Step 7: the events of the first files of version 6 keep their rows and
    // are read through the index that covers what the fills read, and the
    // employee index it begins with is gone.
    void step7CoversTheFillsReadsWithTheAttendanceIndex_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("index of step 5 and the employee index") << "v6-544d150";
        QTest::newRow("covering index and the employee index") << "v6-d3c606a";
    }

    void step7CoversTheFillsReadsWithTheAttendanceIndex()
    {
        QFETCH(QString, name);
        createShippedDatabase(path(), {name, 6});
        {
            auto db = Database::open(path(), {});
            db->execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, Last_Name, First_Name) "
                                       "VALUES (7, 'Old', 'Ann')"));
            db->execute(QStringLiteral("INSERT INTO tblOnline (Employee_Number, Date_CR, Time_CR, iIn, iCard, iDoor) "
                                       "VALUES (7, '2020-03-02', '08:00:00', 1, 1, 1), (7, '2020-03-02', '12:30:00', "
                                       "2, 1, 1)"));
        }
        OpenMainDatabase();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(workedInTheFirstWeekOfMarch2020(), QStringList{" 4:30"});
        QStringList columns;
        for (Recordset rs = Db().openSql(QStringLiteral("SELECT name FROM pragma_index_info('tblOnline_Attendance') "
                                                        "ORDER BY seqno"));
             !rs.eof(); rs.moveNext())
            columns << rs.field(0).toText();
        QCOMPARE(columns, (QStringList{"Employee_Number", "Date_CR", "Time_CR", "iIn", "iCard", "iDoor"}));
        QCOMPARE(Db().openSql(QStringLiteral("SELECT name FROM sqlite_master WHERE name = 'tblOnline_Employee'"))
                     .recordCount(),
                 0);
        CloseMainDatabase();
        QVERIFY(versionOf(path()) >= 7);
    }

    // Step 8: a file of version 7 keeps the link's rows and gains the mark of
    // what the journal of waiting rows has stored, none yet.
    void step8AddsTheMarkOfTheJournal()
    {
        createShippedDatabase(path(), shippedLayout(7));
        {
            auto db = Database::open(path(), {});
            db->execute(QStringLiteral("INSERT INTO ReadCard_Tbl (Date_Date, Date_Time) VALUES ('2026-03-01', "
                                       "'08:00:00')"));
        }
        OpenMainDatabase();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(Db().openTable(QStringLiteral("ReadCard_Tbl")).recordCount(), 1);
        QCOMPARE(Db().openTable(QStringLiteral("JournalMark_Tbl")).recordCount(), 0);
        CloseMainDatabase();
        QCOMPARE(versionOf(path()), 8);
    }

    void aLostTableComesBackWithTheRowsOfANewFile_data()
    {
        QTest::addColumn<QStringList>("lost");
        QTest::newRow("settings row and holidays") << QStringList{"tblIni", "tblHolidays"};
        QTest::newRow("register with its indexes") << QStringList{"tblEmployees"};
        QTest::newRow("door settings") << QStringList{"DoorsNames_Tbl"};
        QTest::newRow("saved queries") << QStringList{"SavedQueries"};
    }

    // A file at the latest version that lost tables is whole again once the
    // program opened it, and the rows of the tables that stood are kept.
    void aLostTableComesBackWithTheRowsOfANewFile()
    {
        QFETCH(QStringList, lost);
        const QString fresh = env->file(QStringLiteral("fresh.mdb"));
        CreateProgramDatabase(fresh);
        env->createDatabase();
        {
            auto db = Database::open(path(), {});
            db->execute(QStringLiteral("INSERT INTO tblOnline (Date_CR, Employee_Number) VALUES ('2024-01-02', 7)"));
            for (const QString& table : lost)
                db->execute(QStringLiteral("DROP TABLE ") + table);
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("lacked .*table ") + lost.first()));
        OpenMainDatabase();
        LoadIniSettings();
        QVERIFY2(env->prompts.boxes.isEmpty(), qPrintable(env->prompts.texts().join(QLatin1Char('\n'))));
        QCOMPARE(Db().openTable(QStringLiteral("tblIni")).recordCount(), 1);
        QCOMPARE(Db().openTable(QStringLiteral("DoorsNames_Tbl")).recordCount(), 1);
        QCOMPARE(Db().openTable(QStringLiteral("tblHolidays")).recordCount(), 0);
        QCOMPARE(Db().openQuery(QStringLiteral("qryEmployees"), {}).recordCount(), 0);
        QCOMPARE(Db().openTable(QStringLiteral("tblOnline")).recordCount(), 1);
        CloseMainDatabase();
        QCOMPARE(layoutOf(path()), layoutOf(fresh));
    }

    void aNewerFileIsRefusedAtStartUpAndLeftAsItIs()
    {
        env->createDatabase();
        {
            auto db = Database::open(path(), {});
            db->execute(QStringLiteral("PRAGMA user_version = %1").arg(latestVersion() + 1));
        }
        const QStringList before = layoutOf(path());
        int status = 0;
        try {
            OpenMainDatabase();
        } catch (const ProgramEnded& end) {
            status = end.status;
        }
        QCOMPARE(status, ExitStatus::NoDatabase);
        QCOMPARE(env->prompts.boxes.size(), 2);
        const QString text = env->prompts.boxes.first().text;
        QVERIFY2(text.startsWith(QStringLiteral("Funcion error#: 2904\rThe database '%1' was made by a newer version "
                                                "of the program")
                                     .arg(path())),
                 qPrintable(text));
        QVERIFY(text.endsWith(QStringLiteral("(3343)")));
        QVERIFY(!appState().Db);
        QCOMPARE(versionOf(path()), latestVersion() + 1);
        QCOMPARE(layoutOf(path()), before);
    }
};

QTEST_GUILESS_MAIN(ProgramSchemaTest)
#include "tst_programschema.moc"
