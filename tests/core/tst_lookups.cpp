#include "core/AppState.h"
#include "core/FieldHelpers.h"
#include "core/ProgramFiles.h"
#include "core/SharedLookups.h"
#include "core/WaitSeconds.h"
#include "core/widgets/SelectAndFocus.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/translation/MldFile.h"
#include "tests/support/FileMode.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

class LookupsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    void addEmployee(int num, const QString& first, const QString& last, const QString& code)
    {
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, Employee_Code) "
                                    "VALUES (?, ?, ?, ?)"),
                     {num, first, last, code});
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
        addEmployee(1, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("12345"));
        addEmployee(2, QStringLiteral("Bob"), QStringLiteral("O'Neil"), QStringLiteral("  0042 "));
        addEmployee(3, QStringLiteral("Cy"), QStringLiteral("Young"), QString());
        addEmployee(4, QStringLiteral("Dee"), QStringLiteral("Quote"), QStringLiteral("x'y"));
        Db().execute(QStringLiteral("UPDATE tblEmployees SET First_Name = NULL WHERE Employee_Number = 3"));
    }

    void cleanup() { env.reset(); }

    void employeeByCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("number");
        QTest::newRow("exact") << "12345" << 1;
        QTest::newRow("typed with blanks") << "  12345 " << 1;
        QTest::newRow("stored with blanks") << "0042" << 2;
        QTest::newRow("apostrophe is data") << "x'y" << 4;
        QTest::newRow("injection") << "' OR '1'='1" << -1;
        QTest::newRow("unknown") << "999" << -1;
        QTest::newRow("empty never matches the codeless") << "" << -1;
        QTest::newRow("blanks only") << "   " << -1;
    }

    void employeeByCode()
    {
        QFETCH(QString, code);
        QFETCH(int, number);
        QCOMPARE(int(GetEmployeeNumberByCode(code)), number);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void theFirstHolderByRowidWins()
    {
        addEmployee(7, QStringLiteral("Eve"), QStringLiteral("Late"), QStringLiteral("0042"));
        QCOMPARE(GetEmployeeNumberByCode(QStringLiteral("0042")), int16_t(2));
        Db().execute(QStringLiteral("DELETE FROM tblEmployees WHERE Employee_Number = 2"));
        QCOMPARE(GetEmployeeNumberByCode(QStringLiteral("0042")), int16_t(7));
    }

    // Every code read looks its holder up: through the index, not a scan of the register.
    void theLookupUsesTheIndexOnTheTrimmedCode()
    {
        Recordset plan =
            Db().openSql(QStringLiteral("EXPLAIN QUERY PLAN SELECT Employee_Number, Last_Name, First_Name, "
                                        "PictureFile FROM tblEmployees WHERE trim(Employee_Code, ' ') = ? "
                                        "ORDER BY rowid LIMIT 1"),
                         {QStringLiteral("0042")});
        QStringList steps;
        for (; !plan.eof(); plan.moveNext())
            steps << plan.field(3).textOrEmpty();
        QCOMPARE(steps, QStringList{QStringLiteral("SEARCH tblEmployees USING INDEX tblEmployees_Code (<expr>=?)")});
    }

    void theHolderComesWithNameAndPicture()
    {
        Db().execute(QStringLiteral("UPDATE tblEmployees SET PictureFile = NULL WHERE Employee_Number = 2"));
        const std::optional<EmployeeWithCode> bob = FindEmployeeByCode(QStringLiteral(" 0042"));
        QVERIFY(bob);
        QCOMPARE(bob->number, int16_t(2));
        QCOMPARE(bob->name, QStringLiteral("O'Neil  Bob"));
        QCOMPARE(bob->pictureFile, QString());
        QVERIFY(!FindEmployeeByCode(QStringLiteral("777")));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void employeeName()
    {
        QCOMPARE(GetEmployeeName(1), QStringLiteral("Smith  Ann"));
        QCOMPARE(GetEmployeeName(3), QStringLiteral("Young  ")); // no first name counts as empty
        QCOMPARE(GetEmployeeName(-1), QStringLiteral("Unknown Employee"));
        BinaryDict().setContents(MldFile::parse(QStringLiteral("LANGUAGES\tEnglish\tDeutsch\n"
                                                               "Unknown Employee\tUnbekannt\n")));
        BinaryDict().setLanguage(1);
        QCOMPARE(GetEmployeeName(77), QStringLiteral("Unbekannt"));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void lookupsWithoutADatabaseReportAndGiveTheirDefault()
    {
        appState().rsEmployees.close();
        appState().Db.reset();
        QCOMPARE(GetEmployeeNumberByCode(QStringLiteral("12345")), int16_t(-1));
        QCOMPARE(GetEmployeeName(1), QStringLiteral("Unknown Employee"));
        QCOMPARE(env->prompts.boxes.size(), 2);
        QVERIFY(env->prompts.boxes[0].text.startsWith(QStringLiteral("Funcion error#: 2912\r")));
        QVERIFY(env->prompts.boxes[1].text.startsWith(QStringLiteral("Funcion error#: 2913\r")));
    }

    void findRecord()
    {
        Recordset rs = Db().openTable(QStringLiteral("tblEmployees"));
        QVERIFY(FindRecord(rs, QStringLiteral("[Employee_Number] = ?"), {4}));
        QCOMPARE(rs.field(QStringLiteral("First_Name")).toText(), QStringLiteral("Dee"));
        QVERIFY(!FindRecord(rs, QStringLiteral("Employee_Number = 99")));
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(!FindRecord(rs, QStringLiteral("Employee_Number = = 1")));
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 2908\r")));
        Db().execute(QStringLiteral("DELETE FROM tblEmployees"));
        Recordset empty = Db().openTable(QStringLiteral("tblEmployees"));
        QVERIFY(!FindRecord(empty, QStringLiteral("1 = 1")));
    }

    void addBackslash_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("root") << "/" << "/";
        QTest::newRow("folder") << "/opt/gt430" << "/opt/gt430/";
        QTest::newRow("already") << "/opt/gt430/" << "/opt/gt430/";
        QTest::newRow("empty") << "" << "/";
        // clang-format on
    }

    void addBackslash()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(AddBackslash(path), expected);
    }

    // Employees' pictures are personal data: a new folder is the owner's
    // alone under the usual umask; one already there keeps its mode.
    void picturesFolder()
    {
        const FixedUmask umask(022);
        const QString folder = env->file(QStringLiteral("Pictures"));
        CreatePicturesFolder();
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(fileMode(folder), 0700);
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0750) == 0);
        CreatePicturesFolder(); // already there: nothing happens
        QCOMPARE(fileMode(folder), 0750);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void aPicturesEntryInAnyCaseIsLeftAlone()
    {
        QFile file(env->file(QStringLiteral("pictures")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        CreatePicturesFolder();
        QVERIFY(!QFileInfo::exists(env->file(QStringLiteral("Pictures"))));
        QVERIFY(QFileInfo(file.fileName()).isFile());
    }

    void validTimes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty mask") << "__:__" << true;
        QTest::newRow("last minute") << "23:59" << true;
        QTest::newRow("midnight") << "00:00" << true;
        QTest::newRow("hour 24") << "24:00" << false;
        QTest::newRow("minute 60") << "12:60" << false;
        QTest::newRow("no leading zero") << "7:30" << false;
        QTest::newRow("partly typed") << "12:3_" << false;
        QTest::newRow("blanks around") << " 7: 5" << true;
        QTest::newRow("two blanks") << "  :30" << false;
        QTest::newRow("letters") << "ab:cd" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("other separator") << "08.15" << true;
    }

    void validTimes()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(IsValidTime(text), valid);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void selectAndFocus()
    {
        QWidget window;
        auto* time = new QLineEdit(&window);
        time->setInputMask(QStringLiteral("99:99;_"));
        time->setText(QStringLiteral("12"));
        auto* other = new QLineEdit(QStringLiteral("abc"), &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(SelectAndFocus(time));
        QCOMPARE(time->selectedText(), time->displayText());
        other->setEnabled(false);
        QVERIFY(!SelectAndFocus(other));
        QVERIFY(!other->hasSelectedText());
    }

    void waitSecondsLetsMoreThanNSecondsPass()
    {
        bool served = false;
        QTimer::singleShot(0, [&] { served = true; });
        const QDateTime start = env->clock.current; // 09:00:00.250
        WaitSeconds(1);
        const qint64 waited = start.msecsTo(env->clock.current);
        QVERIFY2(waited > 1000 && waited <= 2000, qPrintable(QString::number(waited)));
        QVERIFY(served);
        WaitSeconds(0);
        QCOMPARE(env->clock.current.time(), QTime(9, 0, 3));
    }
};

QTEST_MAIN(LookupsTest)
#include "tst_lookups.moc"
