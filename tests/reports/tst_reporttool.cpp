#include "bench/AttendanceYear.h"
#include "bench/IrregularPassages.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "core/ReportKind.h"
#include "link/CodeReadHandOver.h"
#include "link/PacketBuilder.h"
#include "link/ReceiveDispatcher.h"
#include "platform/serial/SerialCommPort.h"
#include "reports/framework/Report.h"
#include "reports/framework/ReportCatalog.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PdfText.h"
#include "tests/support/PtyPair.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run report(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/gt430-report"), arguments);
    Run run;
    if (!tool.waitForFinished(60000))
        return run;
    run.status = tool.exitCode();
    run.out = QString::fromUtf8(tool.readAllStandardOutput());
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

// What the tool itself said on stderr (Qt may add warnings of its own).
QStringList toolLines(const QString& err)
{
    QStringList lines;
    for (const QString& line : err.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("gt430-report: ")))
            lines << line;
    return lines;
}

}

// The command-line report, on a real database file in a program folder.
class ReportToolTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->createDatabase();
        QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/gt430-report")));
    }
    void cleanup() { env.reset(); }

    void itWritesWhatTheWindowsWrite_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("descending");
        QTest::newRow("on-line events") << ReportKinds::OnLine << false;
        QTest::newRow("absence, descending") << ReportKinds::Absence << true;
        QTest::newRow("details") << ReportKinds::HoursDetails << false;
        QTest::newRow("incomplete hours, descending") << ReportKinds::IncompleteHours << true;
        QTest::newRow("late, descending") << ReportKinds::LateArrival << true;
        QTest::newRow("unauthorized") << ReportKinds::Unauthorized << false;
        QTest::newRow("totals") << ReportKinds::HoursTotal << false;
    }

    void itWritesWhatTheWindowsWrite()
    {
        QFETCH(int, kind);
        QFETCH(bool, descending);
        OpenMainDatabase();
        AttendanceYear::Shape shape;
        shape.employees = 12;
        shape.first = QDate(2020, 1, 1);
        shape.last = QDate(2020, 2, 29);
        AttendanceYear::write(Db(), shape);
        IrregularPassages::write(Db(), shape.employees);
        CloseMainDatabase();

        const QString file = env->file(QStringLiteral("tool.txt"));
        QStringList arguments{env->folder(),
                              QStringLiteral("--kind"),
                              QString::number(kind),
                              QStringLiteral("--employees"),
                              QStringLiteral("2-9"),
                              QStringLiteral("--dates"),
                              QStringLiteral("2020-01-06..2020-02-14"),
                              QStringLiteral("--save"),
                              file};
        if (descending)
            arguments << QStringLiteral("--descending");
        const Run run = report(arguments);
        QCOMPARE(run.status, 0);
        static const QRegularExpression line(QStringLiteral("^rows (\\d+) fill_ms \\d+ output_ms \\d+\\n$"));
        const auto m = line.match(run.out);
        QVERIFY2(m.hasMatch(), qPrintable(run.out));

        // The same filters in this process, through the windows' own code.
        OpenMainDatabase();
        appState().DefaultStartTime = QStringLiteral("08:00");
        appState().DefaultWorkHours = 8;
        ReportFilters filters;
        filters.fromEmployee = 2;
        filters.toEmployee = 9;
        filters.fromEmployeeText = QStringLiteral("2");
        filters.toEmployeeText = QStringLiteral("9");
        filters.fromDate = QDate(2020, 1, 6);
        filters.toDate = QDate(2020, 2, 14);
        filters.sort = descending ? SortDirection::Descending : SortDirection::Ascending;
        const auto same = makeReport(kind);
        CountingFillShow show;
        QVERIFY(same->fill(filters, show));
        const QString here = env->file(QStringLiteral("here.txt"));
        const int written = writeReportFile(here, same->textFileFor(filters), same->saveQuery(filters));
        QVERIFY(written > 0);
        QCOMPARE(m.captured(1).toInt(), written);
        QCOMPARE(fileBytes(file), fileBytes(here));
    }

    void itPrintsIntoAPdf()
    {
        OpenMainDatabase();
        ReportFixture::addEmployee(4, QStringLiteral("Ann"), QStringLiteral("Lee"));
        ReportFixture::addEvent(4, QStringLiteral("2020-03-02"), QStringLiteral("08:30:00"), 1);
        ReportFixture::addEvent(4, QStringLiteral("2020-03-02"), QStringLiteral("16:00:00"), 2);
        CloseMainDatabase();
        const QString pdf = env->file(QStringLiteral("late.pdf"));
        const Run run = report({env->folder(), QStringLiteral("--kind"), QStringLiteral("4"), QStringLiteral("--dates"),
                                QStringLiteral("2020-03-01..2020-03-07"), QStringLiteral("--pdf"), pdf});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("rows 2 ")));
        const auto pages = pdfPages(pdf);
        QVERIFY(pages);
        QCOMPARE(pages->size(), 1);
        QVERIFY(pages->first().contains(QStringLiteral("Late Arrival Report")));
        QVERIFY(pages->first().contains(QStringLiteral("4 Lee Ann Late 0:30 Hours.")) ||
                pages->first().contains(QStringLiteral("4 Lee  Ann Late  0:30 Hours.")));
    }

    void itPrintsEveryKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        // clang-format off
        QTest::newRow("on-line events") << ReportKinds::OnLine << "On Line Report" << "On Line Report";
        QTest::newRow("absence") << ReportKinds::Absence << "Absence Report" << "Absence Report";
        QTest::newRow("details") << ReportKinds::HoursDetails << "Working Hours - Details Report"
                                 << "Working Hours Details Report";
        QTest::newRow("incomplete hours") << ReportKinds::IncompleteHours << "Incomplete Hours Report"
                                          << "Incomplete Hours Report";
        QTest::newRow("late") << ReportKinds::LateArrival << "Late Arrival Report" << "Late Arrival Report";
        QTest::newRow("unauthorized") << ReportKinds::Unauthorized << "UnAuthorized Report" << "Unauthorized Report";
        QTest::newRow("totals") << ReportKinds::HoursTotal << "Working Hours - Total Report" << "Working Hours Total Report";
        // clang-format on
    }

    void itPrintsEveryKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, name);
        OpenMainDatabase();
        AttendanceYear::Shape shape;
        shape.employees = 3;
        shape.first = QDate(2020, 3, 2);
        shape.last = QDate(2020, 3, 6);
        AttendanceYear::write(Db(), shape);
        IrregularPassages::write(Db(), shape.employees, 1);
        Db().execute(
            QStringLiteral("UPDATE tblOnline SET iDoor = 2 WHERE Employee_Number = 2 AND Date_CR = '2020-03-03'"));
        CloseMainDatabase();
        const QString pdf = env->file(QStringLiteral("report.pdf"));
        const Run run =
            report({env->folder(), QStringLiteral("--kind"), QString::number(kind), QStringLiteral("--dates"),
                    QStringLiteral("2020-03-01..2020-03-07"), QStringLiteral("--pdf"), pdf});
        QCOMPARE(run.status, 0);
        const auto pages = pdfPages(pdf);
        QVERIFY(pages && !pages->isEmpty());
        QVERIFY2(pages->first().contains(title), qPrintable(pages->first()));
        // The PDF is titled, as a print job is named, after the report.
        QCOMPARE(pdfTitle(pdf), name);
    }

    // A day no calendar has fails each working-hours report with the
    // employee and the day named; no file is written.
    void anImpossibleDayFailsTheWorkingHoursReports_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("details") << ReportKinds::HoursDetails;
        QTest::newRow("incomplete hours") << ReportKinds::IncompleteHours;
        QTest::newRow("late arrival") << ReportKinds::LateArrival;
        QTest::newRow("totals") << ReportKinds::HoursTotal;
    }

    void anImpossibleDayFailsTheWorkingHoursReports()
    {
        QFETCH(int, kind);
        OpenMainDatabase();
        ReportFixture::addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
        for (const QString& day : {QStringLiteral("2020-02-28"), QStringLiteral("2020-02-30")}) {
            ReportFixture::addEvent(7, day, QStringLiteral("08:00:00"), 1);
            ReportFixture::addEvent(7, day, QStringLiteral("16:00:00"), 2);
        }
        CloseMainDatabase();
        const QString file = env->file(QStringLiteral("hours.txt"));
        const Run run =
            report({env->folder(), QStringLiteral("--kind"), QString::number(kind), QStringLiteral("--dates"),
                    QStringLiteral("2020-02-01..2020-03-31"), QStringLiteral("--save"), file});
        QCOMPARE(run.status, 1);
        QCOMPARE(toolLines(run.err),
                 QStringList{QStringLiteral("gt430-report: Funcion error#: 1012 Unreadable event date "
                                            "'2020-02-30' of employee 7 Smith  John(13)")});
        QVERIFY(!QFile::exists(file));
    }

    void itEndsWithoutAFileWhenNothingMatches()
    {
        const QString file = env->file(QStringLiteral("none.txt"));
        const Run run = report({env->folder(), QStringLiteral("--kind"), QStringLiteral("2"), QStringLiteral("--dates"),
                                QStringLiteral("2020-03-01..2020-03-07"), QStringLiteral("--save"), file});
        QCOMPARE(run.status, 3);
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFile::exists(file));
    }

    void itRefusesWhatTheWindowsRefuse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("a kind beyond 6") << QStringList{"--kind", "7", "--save", "x.txt"} << "from 0 to 6";
        QTest::newRow("no kind") << QStringList{"--save", "x.txt"} << "--kind";
        QTest::newRow("both outputs") << QStringList{"--kind", "2", "--save", "x.txt", "--pdf", "x.pdf"} << "either";
        QTest::newRow("employee above 500") << QStringList{"--kind", "2", "--employees", "1-501", "--save", "x.txt"}
                                            << "Employee number must be below 500";
        QTest::newRow("days the wrong way")
            << QStringList{"--kind", "6", "--dates", "2020-03-07..2020-03-01", "--save", "x.txt"}
            << "'From Date' Must be below 'To date' !";
        QTest::newRow("no database") << QStringList{"--kind", "2", "--save", "x.txt"} << "GT430.mdb";
        QTest::newRow("days with slashes")
            << QStringList{"--kind", "2", "--dates", "2026/01/01..2026/02/01", "--save", "x.txt"}
            << "--dates wants YYYY-MM-DD..YYYY-MM-DD";
        QTest::newRow("a day with more after it")
            << QStringList{"--kind", "2", "--dates", "2026-01-01T08..2026-02-01", "--save", "x.txt"} << "--dates wants";
        QTest::newRow("a kind with a blank") << QStringList{"--kind", " 3", "--save", "x.txt"} << "from 0 to 6";
        QTest::newRow("employee 0") << QStringList{"--kind", "2", "--employees", "0-10", "--save", "x.txt"}
                                    << "--employees wants A-B";
        QTest::newRow("a sign") << QStringList{"--kind", "2", "--employees", "+1-10", "--save", "x.txt"}
                                << "--employees wants A-B";
    }

    void itRefusesWhatTheWindowsRefuse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const QString folder = QTest::currentDataTag() == QLatin1String("no database")
                                   ? env->file(QStringLiteral("empty"))
                                   : env->folder();
        const Run run = report(QStringList{folder} + arguments);
        QCOMPARE(run.status, 1);
        QCOMPARE(toolLines(run.err).size(), 1);
        QVERIFY2(toolLines(run.err).first().contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(QStringLiteral("x.txt")) && !QFile::exists(env->file(QStringLiteral("x.txt"))));
    }

    // A file that cannot be written is named once, with the system's reason.
    void aFileThatCannotBeWrittenIsNamedOnce_data()
    {
        QTest::addColumn<QString>("output");
        QTest::newRow("text") << "--save";
        QTest::newRow("pdf") << "--pdf";
    }

    void aFileThatCannotBeWrittenIsNamedOnce()
    {
        QFETCH(QString, output);
        OpenMainDatabase();
        ReportFixture::addEmployee(4, QStringLiteral("Ann"), QStringLiteral("Lee"));
        ReportFixture::addEvent(4, QStringLiteral("2020-03-02"), QStringLiteral("08:30:00"), 1);
        CloseMainDatabase();
        const QString file = env->file(QStringLiteral("missing/report"));
        const Run run = report({env->folder(), QStringLiteral("--kind"), QStringLiteral("0"), QStringLiteral("--dates"),
                                QStringLiteral("2020-03-01..2020-03-07"), output, file});
        QCOMPARE(run.status, 1);
        QCOMPARE(toolLines(run.err), QStringList{QStringLiteral("gt430-report: Cannot write the file ") + file +
                                                 QStringLiteral(": No such file or directory (75)")});
        QVERIFY(run.out.isEmpty());
    }

    // The file of a small day, line by line as the user gets it.
    void theOnLineFileOfADay()
    {
        OpenMainDatabase();
        ReportFixture::addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
        ReportFixture::addEmployee(9, QStringLiteral("Eva"), QStringLiteral("Marie-Louise Brandenburg"));
        ReportFixture::addEvent(9, QStringLiteral("2020-03-03"), QStringLiteral("07:05:59"), 1);
        ReportFixture::addEvent(7, QStringLiteral("2020-03-03"), QStringLiteral("16:30:00"), 2);
        ReportFixture::addEvent(7, QStringLiteral("2020-03-02"), QStringLiteral("08:00:00"), 1);
        ReportFixture::addEvent(8, QStringLiteral("2020-03-02"), QStringLiteral("08:01:00"), 1);
        ReportFixture::addEvent(7, QStringLiteral("2020-03-09"), QStringLiteral("08:00:00"), 1);
        Db().execute(QStringLiteral("UPDATE tblOnline SET iCard = 2, iDoor = 2 WHERE Time_CR = '16:30:00'"));
        CloseMainDatabase();
        const QString file = env->file(QStringLiteral("day.txt"));
        const Run run = report({env->folder(), QStringLiteral("--kind"), QStringLiteral("0"), QStringLiteral("--dates"),
                                QStringLiteral("2020-03-01..2020-03-07"), QStringLiteral("--save"), file});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("rows 3 ")));
        QCOMPARE(
            fileBytes(file).split('\n'),
            QList<QByteArray>({"On Line Report                                                           \r",
                               "*************************************************************************\r",
                               "Name             Date          Time        In/Out  PIN/Card  Door Action \r",
                               "7 Smith  John    2 Mar 2020    08:00       In      Card      Opened      \r",
                               "7 Smith  John    3 Mar 2020    16:30       Out     PIN       Not Opened  \r",
                               "9 Marie-Louise Br3 Mar 2020    07:05       In      Card      Opened      \r", ""}));
    }

    // As the report windows do, the tool needs the default hours for the incomplete hours.
    void itRefusesTheIncompleteHoursWithoutWorkingHours()
    {
        OpenMainDatabase();
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Hours = NULL"));
        CloseMainDatabase();
        const Run run = report({env->folder(), QStringLiteral("--kind"), QStringLiteral("3"), QStringLiteral("--save"),
                                env->file(QStringLiteral("x.txt"))});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Please Enter Working Hours")), qPrintable(run.err));
        QVERIFY(!QFile::exists(env->file(QStringLiteral("x.txt"))));
    }

    // A file that lost tables gets them back, as the program's opening gives them.
    void aLostTableComesBackBeforeTheReport()
    {
        OpenMainDatabase();
        ReportFixture::addEmployee(4, QStringLiteral("Ann"), QStringLiteral("Lee"));
        CloseMainDatabase();
        {
            auto db = Database::open(env->file(QStringLiteral("GT430.mdb")), {});
            db->execute(QStringLiteral("DROP TABLE tblHolidays"));
            db->execute(QStringLiteral("DROP TABLE tblIni"));
        }
        const QString file = env->file(QStringLiteral("absent.txt"));
        const Run run = report({env->folder(), QStringLiteral("--kind"), QStringLiteral("1"), QStringLiteral("--dates"),
                                QStringLiteral("2020-03-02..2020-03-06"), QStringLiteral("--save"), file});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY2(run.err.contains(QStringLiteral("table tblHolidays")), qPrintable(run.err));
        QVERIFY(QFile::exists(file));
        auto db = Database::open(env->file(QStringLiteral("GT430.mdb")), {});
        QCOMPARE(db->openTable(QStringLiteral("tblIni")).recordCount(), 1);
        QCOMPARE(db->openTable(QStringLiteral("tblHolidays")).recordCount(), 0);
    }

    // From the door to the report: code reads over the cable become a worked interval.
    void codeReadsAtTheDoorMakeTheReport()
    {
        OpenMainDatabase();
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, Employee_Code) "
                                    "VALUES (12, 'Ann', 'Smith', '0000004660')"));
        PtyPair line;
        QVERIFY(line.isOpen());
        QVERIFY(line.linkAs(env->folder(), 2));
        SerialCommPort port;
        port.setCommPort(2);
        port.setPortOpen(true);
        port.clearInBuffer();
        CodeReadSubscription monitor;
        const auto pass = [&](const QTime& at, bool out, uint8_t sequence) {
            env->clock.current = QDateTime(QDate(2020, 6, 3), at);
            PacketBuilder::CodeReadFields f;
            f.cardNumber = 4660;
            f.out = out;
            f.sequence = sequence;
            f.result = PacketBuilder::ResultOpened;
            const QByteArray bytes = PacketBuilder::codeRead(f);
            QVERIFY(line.write(bytes));
            QDeadlineTimer deadline(2000);
            while (port.inBufferCount() < bytes.size() && !deadline.hasExpired())
                QThread::usleep(200);
            ReceiveTick(port);
            QCOMPARE(monitor.takeAll().size(), 1);
        };
        pass(QTime(7, 58, 12), false, 1);
        pass(QTime(12, 1, 40), true, 2);
        pass(QTime(12, 45, 0), false, 3);
        pass(QTime(17, 2, 59), true, 4);
        CloseMainDatabase();

        const QString file = env->file(QStringLiteral("day.txt"));
        const Run run = report({env->folder(), QStringLiteral("--kind"), QStringLiteral("2"), QStringLiteral("--dates"),
                                QStringLiteral("2020-06-01..2020-06-05"), QStringLiteral("--save"), file});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("rows 3 ")));
        const QList<QByteArray> lines = fileBytes(file).split('\n');
        QCOMPARE(lines.at(3), QByteArray("12 Smith  Ann            3 Jun 2020 07:58      12:01       4:03         \r"));
        QCOMPARE(lines.at(4), QByteArray("12 Smith  Ann            3 Jun 2020 12:45      17:02       4:17         \r"));
        QCOMPARE(lines.at(5), QByteArray("12 Smith  Ann            Total                             8:20         \r"));
    }
};

QTEST_GUILESS_MAIN(ReportToolTest)
#include "tst_reporttool.moc"
