#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "link/LinkState.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QtTest>

namespace {

void sql(const QString& statement, const QVariantList& params = {})
{
    Db().execute(statement, params);
}

}

class SettingsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    void start()
    {
        OpenMainDatabase();
        LoadIniSettings();
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->createDatabase();
    }

    void cleanup() { env.reset(); }

    void aFreshDatabaseStartsCleanly()
    {
        linkState().DoorMode = 1;
        linkState().RepeatGuard = 5;
        linkState().CurPacket.Action = 0x20;
        appState().CommOpened = true;
        start();
        const AppState& s = appState();
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(s.Db && s.rsEmployees.isOpen());
        QCOMPARE(s.DbPath, env->file(QStringLiteral("GT430.mdb")));
        QCOMPARE(s.LanguageIndex, int16_t(0));
        QCOMPARE(s.CommPortIndex, int16_t(0));
        QCOMPARE(s.PasswordFilePath, env->file(QStringLiteral("setting.dat")));
        QCOMPARE(s.AdminPassword, QStringLiteral("vantu   "));
        QCOMPARE(s.PrintTopLines, uint8_t(2));
        QVERIFY(s.FooterText.startsWith(QChar(0xA9)));
        QCOMPARE(linkState().DoorMode, DoorModeNotKnown);
        QCOMPARE(linkState().RepeatGuard, uint8_t(0));
        QCOMPARE(linkState().CurPacket.Action, uint8_t(0));
        QVERIFY(!s.CommOpened);
    }

    void languageIndexOutOfRangeBecomesTwo_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("loaded");
        QTest::newRow("11") << 11 << 2;
        QTest::newRow("-2") << -2 << 2;
        QTest::newRow("-1") << -1 << -1;
        QTest::newRow("10") << 10 << 10;
        QTest::newRow("1") << 1 << 1;
    }

    void languageIndexOutOfRangeBecomesTwo()
    {
        QFETCH(int, stored);
        QFETCH(int, loaded);
        OpenMainDatabase();
        sql(QStringLiteral("UPDATE tblIni SET Ini_Language = ?"), {stored});
        LoadIniSettings();
        QCOMPARE(int(appState().LanguageIndex), loaded);
    }

    void aSettingWithoutValueKeepsItsValue()
    {
        OpenMainDatabase();
        sql(QStringLiteral("UPDATE tblIni SET Ini_PictureFolder = NULL, Ini_CommPort = NULL, Ini_Language = 1, "
                           "Ini_DefaultPicture = '/pics/none.png'"));
        appState().PictureFolder = QStringLiteral("/kept");
        appState().CommPortIndex = 3;
        LoadIniSettings();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(appState().PictureFolder, QStringLiteral("/kept"));
        QCOMPARE(appState().CommPortIndex, int16_t(3));
        QCOMPARE(appState().LanguageIndex, int16_t(1));
        QCOMPARE(appState().DefaultPictureFile, QStringLiteral("/pics/none.png"));
    }

    void anUnreadableSettingIsReportedAndThePasswordsStillLoad()
    {
        OpenMainDatabase();
        sql(QStringLiteral("UPDATE tblIni SET Ini_Language = 'two', Ini_CommPort = 4"));
        LoadIniSettings();
        QCOMPARE(env->prompts.boxes.size(), 1);
        QCOMPARE(env->prompts.boxes.first().text, QStringLiteral("Funcion error#: 973\rType mismatch(13)"));
        QCOMPARE(appState().CommPortIndex, int16_t(0)); // the loading ended before it
        QCOMPARE(appState().AdminPassword, QStringLiteral("vantu   "));
    }

    void withoutASettingsRowThePasswordsStillLoad()
    {
        OpenMainDatabase();
        sql(QStringLiteral("DELETE FROM tblIni"));
        LoadIniSettings();
        QCOMPARE(appState().AdminPassword, QStringLiteral("vantu   "));
        appState().LanguageIndex = 1;
        SaveIniSettings();
        QCOMPARE(Db().openTable(QStringLiteral("tblIni")).recordCount(), 0);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void savingAndLoadingGiveBackTheSettings()
    {
        start();
        AppState& s = appState();
        s.IniText0 = QStringLiteral("kept text");
        s.PictureFolder = QStringLiteral("/home/guard/pictures");
        s.DefaultPictureFile = QStringLiteral("/home/guard/pictures/none.png");
        s.LanguageIndex = 1;
        s.CommPortIndex = 2;
        sql(QStringLiteral("UPDATE tblIni SET Ini_Spare = 99"));
        SaveIniSettings();
        s.IniText0.clear();
        s.PictureFolder.clear();
        s.DefaultPictureFile.clear();
        s.LanguageIndex = 0;
        s.CommPortIndex = 0;
        LoadIniSettings();
        QCOMPARE(s.IniText0, QStringLiteral("kept text"));
        QCOMPARE(s.PictureFolder, QStringLiteral("/home/guard/pictures"));
        QCOMPARE(s.DefaultPictureFile, QStringLiteral("/home/guard/pictures/none.png"));
        QCOMPARE(s.LanguageIndex, int16_t(1));
        QCOMPARE(s.CommPortIndex, int16_t(2));
        QCOMPARE(Db().openTable(QStringLiteral("tblIni")).field(5).toInt16(), int16_t(0));
    }

    void theCompanyName_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("a name") << QVariant(QStringLiteral("Acme Ltd")) << "Acme Ltd";
        QTest::newRow("NULL text") << QVariant(QStringLiteral("NULL")) << "";
        QTest::newRow("null in lower case") << QVariant(QStringLiteral("null")) << "null";
        QTest::newRow("no value") << QVariant() << "";
    }

    void theCompanyName()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, loaded);
        {
            auto db = Database::open(env->file(QStringLiteral("GT430.mdb")), {});
            db->execute(QStringLiteral("UPDATE DoorsNames_Tbl SET CompanyName = ?"), {stored});
        }
        OpenMainDatabase();
        QCOMPARE(appState().CompanyName, loaded);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void anEmptyDoorTableIsReportedAfterTheDatabaseOpened()
    {
        {
            auto db = Database::open(env->file(QStringLiteral("GT430.mdb")), {});
            db->execute(QStringLiteral("DELETE FROM DoorsNames_Tbl"));
        }
        OpenMainDatabase();
        QCOMPARE(env->prompts.boxes.size(), 1);
        QCOMPARE(env->prompts.boxes.first().text, QStringLiteral("Funcion error#: 2904\rNo current record.(3021)"));
        QVERIFY(appState().Db && appState().rsEmployees.isOpen());
        QVERIFY(appState().CompanyName.isEmpty());
    }

    void aMissingDatabaseIsReportedAndTheProgramEnds()
    {
        QVERIFY(QFile::remove(env->file(QStringLiteral("GT430.mdb"))));
        int status = 0;
        try {
            OpenMainDatabase();
        } catch (const ProgramEnded& end) {
            status = end.status;
        }
        QCOMPARE(status, ExitStatus::NoDatabase);
        QVERIFY(!QFile::exists(env->file(QStringLiteral("GT430.mdb")))); // no empty file made in its place
        QCOMPARE(env->prompts.boxes.size(), 2);
        const RecordingPrompts::Box& first = env->prompts.boxes.first();
        QVERIFY(first.text.startsWith(QStringLiteral("Funcion error#: 2904\r")));
        QVERIFY(first.text.endsWith(QStringLiteral("(3024)")));
        QCOMPARE(first.title, QStringLiteral("Warning"));
        QCOMPARE(env->prompts.boxes.last().text,
                 QStringLiteral("GT-430 cannot work without its database and ends now:\r") +
                     env->file(QStringLiteral("GT430.mdb")));
    }

    // A file that opens but lacks tables gets them, and a table it lacked gets
    // the rows a new database has; a table it had keeps what it holds.
    void aFileWithoutTheTablesGetsTheRowsOfANewDatabase_data()
    {
        QTest::addColumn<QString>("setup"); // SQL run on the file before the start, "" for an empty file
        QTest::addColumn<int>("settingsRows");
        QTest::addColumn<int>("language");
        QTest::newRow("empty file") << "" << 1 << 0;
        QTest::newRow("another table only") << "CREATE TABLE notes (n TEXT)" << 1 << 0;
        QTest::newRow("settings row kept")
            << "CREATE TABLE tblIni (a TEXT, b TEXT, c TEXT, d INTEGER, e INTEGER, f INTEGER);"
               "INSERT INTO tblIni VALUES ('', '', '', 1, 0, 0)"
            << 1 << 1;
        QTest::newRow("empty settings table kept empty")
            << "CREATE TABLE tblIni (a TEXT, b TEXT, c TEXT, d INTEGER, e INTEGER, f INTEGER)" << 0 << 0;
    }

    void aFileWithoutTheTablesGetsTheRowsOfANewDatabase()
    {
        QFETCH(QString, setup);
        QFETCH(int, settingsRows);
        QFETCH(int, language);
        const QString path = env->file(QStringLiteral("GT430.mdb"));
        QVERIFY(QFile::remove(path));
        QFile empty(path);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        if (!setup.isEmpty()) {
            auto db = Database::open(path, {});
            for (const QString& statement : setup.split(QLatin1Char(';')))
                db->execute(statement);
        }
        start();
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(appState().Db && appState().Db->isOpen());
        QCOMPARE(Db().openTable(QStringLiteral("tblIni")).recordCount(), settingsRows);
        QCOMPARE(appState().LanguageIndex, int16_t(language));
        Recordset doors = Db().openTable(QStringLiteral("DoorsNames_Tbl"));
        QCOMPARE(doors.recordCount(), 1);
        QCOMPARE(doors.field(1).toText(), QStringLiteral("Door 1"));
        QCOMPARE(doors.field(2).toText(), QStringLiteral("08:00"));
    }

    void anOlderFileGainsTheMissingTables()
    {
        QVERIFY(QFile::remove(env->file(QStringLiteral("GT430.mdb"))));
        {
            auto old = Database::create(env->file(QStringLiteral("GT430.mdb")), {});
            old->execute(QStringLiteral("CREATE TABLE tblIni (Ini_Text0 TEXT, Ini_PictureFolder TEXT, "
                                        "Ini_DefaultPicture TEXT, Ini_Language INTEGER, Ini_CommPort INTEGER, "
                                        "Ini_Spare INTEGER)"));
            old->execute(QStringLiteral("INSERT INTO tblIni VALUES ('x', '', '', 1, 5, 0)"));
            old->execute(QStringLiteral("CREATE TABLE DoorsNames_Tbl (Door_ID INTEGER, DOOR_DESCRIPTION TEXT, "
                                        "MonThu_Start TEXT, MonThu_Hours INTEGER, Fri_Start TEXT, Fri_Hours TEXT, "
                                        "Sat_Start TEXT, Sat_Hours TEXT, Sun_Start TEXT, Sun_Hours TEXT, "
                                        "CompanyName TEXT)"));
            old->execute(QStringLiteral("INSERT INTO DoorsNames_Tbl (Door_ID, CompanyName) VALUES (1, 'Old Co')"));
        }
        start();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(appState().CommPortIndex, int16_t(5));
        QCOMPARE(appState().CompanyName, QStringLiteral("Old Co"));
        QCOMPARE(appState().rsEmployees.recordCount(), 0);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
