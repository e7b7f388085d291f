#include "core/AppState.h"
#include "core/ReportKind.h"
#include "platform/db/ForwardQuery.h"
#include "reports/framework/LateReport.h"
#include "reports/framework/ReportCatalog.h"
#include "reports/framework/ReportTextFile.h"
#include "tests/support/FailureOf.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileMode.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

using namespace ReportFixture;

namespace {

const QString Monday = QStringLiteral("2026-03-02");
const QString Tuesday = QStringLiteral("2026-03-03");

ReportFilters week(SortDirection sort = SortDirection::Ascending)
{
    ReportFilters f;
    f.fromDate = QDate(2026, 3, 1);
    f.toDate = QDate(2026, 3, 7);
    f.sort = sort;
    return f;
}

QByteArray line(std::initializer_list<std::pair<const char*, int>> fields)
{
    QByteArray bytes;
    for (const auto& [text, width] : fields)
        bytes += QByteArray(text).leftJustified(width, ' ', true);
    return bytes + "\r\n";
}

// Fills and saves a report as the windows and the tool do.
int save(int kind, const QString& path, const ReportFilters& filters = week())
{
    const auto report = makeReport(kind);
    CountingFillShow show;
    if (!report->fill(filters, show))
        return -1;
    return writeReportFile(path, report->textFile(), report->saveQuery(filters));
}

}

class ReportFilesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
        appState().DefaultStartTime = QStringLiteral("08:00");
        addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
        for (const char* e : {"08:00:00 1", "12:00:00 2", "13:00:00 1", "17:00:00 2"})
            addEvent(7, Monday, QString::fromLatin1(e).left(8), QString::fromLatin1(e).right(1).toInt());
    }
    void cleanup() { env.reset(); }

    void fieldsArePaddedCutAndCodedInTheWindowsCodePage()
    {
        QCOMPARE(fixedWidthLine({3, 4, 2}, {QStringLiteral("abcdef"), QStringLiteral("Grüße"), QStringLiteral("€")}),
                 QByteArray("abcGr\xFC\xDF\x80 \r\n"));
        QCOMPARE(fixedWidthLine({2, 3}, {QStringLiteral("\u4E2D")}), QByteArray("?    \r\n"));
    }

    // Stored names beyond ASCII are coded and cut by their characters, not their bytes.
    void storedTextsAreCodedInTheWindowsCodePage()
    {
        addEmployee(9, QStringLiteral("J\u00FCrgen"), QStringLiteral("M\u00FCller-L\u00FCdenscheidt"));
        addEvent(9, Monday, QStringLiteral("08:00:00"), 1);
        const QString path = env->file(QStringLiteral("names.txt"));
        ReportFilters nine = week();
        nine.fromEmployee = 9;
        QCOMPARE(save(ReportKinds::HoursDetails, path, nine), 2);
        const QByteArray name = QByteArray("9 M\xFCller-L\xFC") + "denscheidt  J\xFC";
        const QList<QByteArray> lines = fileBytes(path).split('\n');
        QCOMPARE(lines.value(3) + '\n',
                 line({{name.constData(), 25}, {"2 Mar 2026", 11}, {"08:00", 11}, {"", 11}, {"", 14}}));
    }

    void workingHoursDetails()
    {
        const QString path = env->file(QStringLiteral("details.txt"));
        QCOMPARE(save(ReportKinds::HoursDetails, path), 3);
        const QByteArray expected =
            line({{"Working Hours Details", 25}, {" Report", 11}, {"", 11}, {"", 11}, {"", 14}}) + QByteArray(72, '*') +
            "\r\n" + line({{"Name", 25}, {"Date", 11}, {"In", 11}, {"Out", 11}, {"Sub Total", 14}}) +
            line({{"7 Smith  John", 25}, {"2 Mar 2026", 11}, {"08:00", 11}, {"12:00", 11}, {" 4:00", 14}}) +
            line({{"7 Smith  John", 25}, {"2 Mar 2026", 11}, {"13:00", 11}, {"17:00", 11}, {" 4:00", 14}}) +
            line({{"7 Smith  John", 25}, {"Total", 11}, {"", 11}, {"", 11}, {" 8:00", 14}});
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(expected.size(), 444);
    }

    void lateArrival()
    {
        addEmployee(8, QStringLiteral("Ann"), QStringLiteral("Lee"));
        addEvent(8, Monday, QStringLiteral("07:59:00"), 1);
        addEvent(7, Tuesday, QStringLiteral("08:25:10"), 1);
        const QString path = env->file(QStringLiteral("late.txt"));
        QCOMPARE(save(ReportKinds::LateArrival, path), 3);
        const QByteArray expected =
            line({{"Late Arrival", 15}, {" Report ", 11}, {"", 15}, {"", 15}, {"", 7}, {"", 15}}) +
            QByteArray(63, '*') + QByteArray(15, ' ') + "\r\n" +
            line({{"Name", 15}, {"Date", 11}, {"Schedual Start", 15}, {"Actual Start", 15}, {"Late", 7}, {"", 15}}) +
            line({{"7 Smith  John", 15},
                  {"3 Mar 2026", 11},
                  {" 08:00", 15},
                  {" 08:25:10", 15},
                  {"  0:25", 7},
                  {"", 15}}) +
            line({{"7 Smith  John", 15}, {"Total", 11}, {" ", 15}, {" ", 15}, {"  0:25", 7}, {"", 15}}) +
            // Never late: in the file by the total row alone.
            line({{"8 Lee  Ann", 15}, {"Total", 11}, {" ", 15}, {" ", 15}, {"  0:00", 7}, {"", 15}});
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(expected.size(), 6 * 80);
    }

    // A day of two digits with its month's name fills the date's column
    // without being cut.
    void aLateDayOfTwoDigitsStandsWhole()
    {
        addEvent(7, QStringLiteral("2026-03-10"), QStringLiteral("08:25:10"), 1);
        ReportFilters days = week();
        days.fromDate = QDate(2026, 3, 9);
        days.toDate = QDate(2026, 3, 13);
        const QString path = env->file(QStringLiteral("late.txt"));
        QCOMPARE(save(ReportKinds::LateArrival, path, days), 2);
        QCOMPARE(fileBytes(path).split('\n').at(3) + '\n', line({{"7 Smith  John", 15},
                                                                 {"10 Mar 2026", 11},
                                                                 {" 08:00", 15},
                                                                 {" 08:25:10", 15},
                                                                 {"  0:25", 7},
                                                                 {"", 15}}));
    }

    void workingHoursTotal()
    {
        addEvent(7, Tuesday, QStringLiteral("08:00:00"), 1);
        const QString path = env->file(QStringLiteral("total.txt"));
        QCOMPARE(save(ReportKinds::HoursTotal, path), 3);
        const QByteArray expected =
            line({{"   Working Hours", 20}, {"Total Report ", 14}, {"", 14}, {"", 14}}) + QByteArray(62, '*') + "\r\n" +
            line({{"Name", 20}, {"Date", 14}, {"Actual Hours", 14}, {"Global Hours", 14}}) +
            line({{"7 Smith  John", 20}, {"2 Mar 2026", 14}, {"         8:00", 14}, {"         9:00", 14}}) +
            line({{"7 Smith  John", 20}, {"3 Mar 2026", 14}, {"", 14}, {"", 14}}) +
            line({{"7 Smith  John", 20}, {"Total", 14}, {"     (*) 8:00", 14}, {"     (*) 9:00", 14}}) +
            line({{"(*)Incompleted Data", 20}, {"", 14}, {"", 14}, {"", 14}});
        QCOMPARE(fileBytes(path), expected);
    }

    // Whichever way the days run, an employee's total row closes his rows.
    void theTotalRowStaysLastWhenSortedDownwards()
    {
        addEvent(7, Tuesday, QStringLiteral("08:40:00"), 1);
        addEvent(7, QStringLiteral("2026-03-04"), QStringLiteral("08:50:00"), 1);
        const QString path = env->file(QStringLiteral("late.txt"));
        QCOMPARE(save(ReportKinds::LateArrival, path, week(SortDirection::Descending)), 3);
        const QList<QByteArray> lines = fileBytes(path).split('\n');
        QCOMPARE(lines.at(3).mid(15, 11), QByteArray("4 Mar 2026 "));
        QCOMPARE(lines.at(4).mid(15, 11), QByteArray("3 Mar 2026 "));
        QCOMPARE(lines.at(5).mid(15, 11), QByteArray("Total      "));
        const auto report = makeReport(ReportKinds::LateArrival);
        QCOMPARE(rows(report->previewQuery(week(SortDirection::Descending)).sql).last().at(3), QStringLiteral("Total"));
    }

    // A report holds names and times: a new file is its owner's alone under
    // the usual umask; a file replaced keeps the mode its owner gave it.
    void aNewFileIsTheOwnersAlone_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("new") << -1 << 0600;
        QTest::newRow("replacing one readable by all") << 0644 << 0644;
        QTest::newRow("replacing one of the group") << 0640 << 0640;
        QTest::newRow("replacing one of the owner") << 0600 << 0600;
    }

    void aNewFileIsTheOwnersAlone()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        const FixedUmask umask(022);
        const QString path = env->file(QStringLiteral("mode.txt"));
        if (before >= 0)
            QVERIFY(makeFile(path, before));
        QCOMPARE(save(ReportKinds::HoursDetails, path), 3);
        QCOMPARE(fileMode(path), after);
        QVERIFY(fileBytes(path).startsWith("Working Hours Details"));
    }

    // The file is put in place only once its last line is written.
    void aSaveThatFailsLeavesTheOldFileAsItWas()
    {
        const QString path = env->file(QStringLiteral("kept.txt"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("the report of last week\r\n");
        }
        TextFileLayout layout = makeReport(ReportKinds::HoursDetails)->textFile();
        int written = 0;
        layout.record = [&](const ForwardQuery&, TextLine& line) {
            if (++written == 2)
                raiseError(Err::PathFileAccess, QStringLiteral("Disk full"));
            line.add("row");
        };
        CountingFillShow show;
        QVERIFY(makeReport(ReportKinds::HoursDetails)->fill(week(), show));
        QCOMPARE(
            failureOf([&] { writeReportFile(path, layout, makeReport(ReportKinds::HoursDetails)->saveQuery(week())); }),
            Err::PathFileAccess);
        QCOMPARE(fileBytes(path), QByteArray("the report of last week\r\n"));
        QCOMPARE(failureOf([&] { writeReportFile(env->file(QStringLiteral("no/such/folder.txt")), layout, {}); }),
                 Err::PathFileAccess);
    }

    // Every failure names the file and gives the system's own reason.
    void aFailedSaveSaysWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a missing folder") << "missing/week.txt" << -1 << "No such file or directory";
        QTest::newRow("a full disk") << "week.txt" << 200 << "File too large";
    }

    void aFailedSaveSaysWhy()
    {
        QFETCH(QString, name);
        QFETCH(int, room);
        QFETCH(QString, reason);
        const QString path = env->file(name);
        QVERIFY(save(ReportKinds::HoursDetails, env->file(QStringLiteral("room.txt"))) > 0);
        QVERIFY(QFileInfo(env->file(QStringLiteral("room.txt"))).size() > room);
        const auto report = makeReport(ReportKinds::HoursDetails);
        QString failure;
        {
            std::optional<FileSizeLimit> full;
            if (room >= 0)
                full.emplace(static_cast<rlim_t>(room));
            failure = failureTextOf([&] { writeReportFile(path, report->textFile(), report->saveQuery(week())); });
        }
        QCOMPARE(failure, QStringLiteral("Cannot write the file ") + path + QStringLiteral(": ") + reason);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(QDir(env->folder()).entryList({QStringLiteral("week.txt*")}, QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(ReportFilesTest)
#include "tst_reportfiles.moc"
