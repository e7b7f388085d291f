#include "core/AppState.h"
#include "core/ReportKind.h"
#include "platform/translation/BinaryDictionary.h"
#include "reports/framework/HoursReportFill.h"
#include "reports/framework/Report.h"
#include "reports/framework/ReportCatalog.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

using namespace ReportFixture;

namespace {

const QString Monday = QStringLiteral("2026-03-02");
const QString Tuesday = QStringLiteral("2026-03-03");

ReportFilters week(int from = 1, int to = 500)
{
    ReportFilters f;
    f.fromEmployee = from;
    f.toEmployee = to;
    f.fromDate = QDate(2026, 3, 1);
    f.toDate = QDate(2026, 3, 7);
    return f;
}

// The computed fields of each row, in the order written; "<null>" where unwritten.
QList<QStringList> computed()
{
    return rows(
        QStringLiteral("SELECT StartTime, EndTime, SumDay, DayTotal, DayHours, DayMinutes, Incomplete, FirstIn, "
                       "GlobalTotal, GlobalH, GlobalM, IsTotal FROM tblHoursReport ORDER BY AutoNumber"));
}

QStringList row(std::initializer_list<const char*> values)
{
    QStringList list;
    for (const char* v : values)
        list << QString::fromUtf8(v);
    return list;
}

}

class HoursFillTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    static void events(int employee, const QString& date, const QStringList& timesAndCodes)
    {
        for (const QString& e : timesAndCodes)
            addEvent(employee, date, e.section(QLatin1Char(' '), 0, 0), e.section(QLatin1Char(' '), 1, 1).toInt());
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
        addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
        addEmployee(8, QStringLiteral("Ann"), QStringLiteral("Lee"));
    }
    void cleanup() { env.reset(); }

    void daysArePairedIntoIntervals_data()
    {
        QTest::addColumn<QStringList>("day");
        QTest::addColumn<QList<QStringList>>("expected");
        // Columns: start, end, sub total, day total, hours, minutes, incomplete, first In, global, hours, minutes, total.
        QTest::newRow("two pairs") << QStringList{"08:00:00 1", "12:00:00 2", "13:00:00 1", "17:00:00 2"}
                                   << QList<QStringList>{row({"08:00", "12:00", " 4:00", "<null>", "<null>", "<null>",
                                                              "<null>", "<null>", "<null>", "<null>", "<null>", "0"}),
                                                         row({"13:00", "17:00", " 4:00", "         8:00", "8", "0",
                                                              "<null>", "08:00:00", "         9:00", "9", "0", "0"}),
                                                         row({"", "<null>", " 8:00", "         8:00", "8", "0",
                                                              "<null>", "<null>", "         9:00", "9", "0", "1"})};
        // Stored in the order they came: the Out of 12:00:00 closes the morning before the In of the same second.
        QTest::newRow("Out and In in the same second")
            << QStringList{"08:00:00 1", "12:00:00 2", "12:00:00 1", "17:00:00 2"}
            << QList<QStringList>{row({"08:00", "12:00", " 4:00", "<null>", "<null>", "<null>", "<null>", "<null>",
                                       "<null>", "<null>", "<null>", "0"}),
                                  row({"12:00", "17:00", " 5:00", "         9:00", "9", "0", "<null>", "08:00:00",
                                       "         9:00", "9", "0", "0"}),
                                  row({"", "<null>", " 9:00", "         9:00", "9", "0", "<null>", "<null>",
                                       "         9:00", "9", "0", "1"})};
        QTest::newRow("In without Out") << QStringList{"08:00:00 1"}
                                        << QList<QStringList>{
                                               row({"08:00", "", "<null>", "", "<null>", "<null>", "<null>", "08:00:00",
                                                    "", "<null>", "<null>", "0"}),
                                               row({"", "<null>", " 0:00", "     (*) 0:00", "0", "0", "<null>",
                                                    "<null>", "     (*) 0:00", "0", "0", "1"})};
        QTest::newRow("Out before the first In")
            << QStringList{"07:00:00 2", "08:00:00 1", "17:00:00 2"}
            << QList<QStringList>{row({"", "07:00", "<null>", "<null>", "<null>", "<null>", "<null>", "<null>",
                                       "<null>", "<null>", "<null>", "0"}),
                                  row({"08:00", "17:00", " 9:00", "     (*) 9:00", "9", "0", "1", "08:00:00",
                                       "         9:00", "9", "0", "0"}),
                                  row({"", "<null>", " 9:00", "     (*) 9:00", "9", "0", "<null>", "<null>",
                                       "     (*) 9:00", "9", "0", "1"})};
        QTest::newRow("two Ins, one Out")
            << QStringList{"08:00:00 1", "09:00:00 1", "17:30:00 2"}
            << QList<QStringList>{row({"08:00", "", "<null>", "<null>", "<null>", "<null>", "<null>", "<null>",
                                       "<null>", "<null>", "<null>", "0"}),
                                  row({"09:00", "17:30", " 8:30", "     (*) 8:30", "8", "30", "1", "08:00:00",
                                       "         9:30", "9", "30", "0"}),
                                  row({"", "<null>", " 8:30", "     (*) 8:30", "8", "30", "<null>", "<null>",
                                       "     (*) 9:30", "9", "30", "1"})};
        QTest::newRow("Out in the In's minute")
            << QStringList{"08:00:10 1", "08:00:50 2"}
            << QList<QStringList>{row({"08:00", "08:00", " 0:00", "", "<null>", "<null>", "<null>", "08:00:10", "",
                                       "<null>", "<null>", "0"}),
                                  row({"", "<null>", " 0:00", "     (*) 0:00", "0", "0", "<null>", "<null>",
                                       "     (*) 0:00", "0", "0", "1"})};
        QTest::newRow("ten hours and more")
            << QStringList{"06:55:00 1", "19:20:00 2"}
            << QList<QStringList>{row({"06:55", "19:20", " 12:25", "       12:25", "12", "25", "<null>", "06:55:00",
                                       "       12:25", "12", "25", "0"}),
                                  row({"", "<null>", " 12:25", "       12:25", "12", "25", "<null>", "<null>",
                                       "       12:25", "12", "25", "1"})};
    }

    void daysArePairedIntoIntervals()
    {
        QFETCH(QStringList, day);
        QFETCH(QList<QStringList>, expected);
        events(7, Monday, day);
        CountingFillShow show;
        QVERIFY(FillIn_HoursReport_Tbl(week(), show));
        QCOMPARE(computed(), expected);
        QCOMPARE(show.starts, 1);
        QCOMPARE(show.pausedEnds, 1);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void rowsNameTheEmployeeAndKeepTheirDayAsIsoText()
    {
        events(7, Tuesday, {"08:00:00 1", "16:00:00 2"});
        events(7, Monday, {"09:00:00 1", "17:00:00 2"});
        QVERIFY(FillIn_HoursReport_Tbl(week(), *std::make_unique<CountingFillShow>()));
        QCOMPARE(
            rows(QStringLiteral("SELECT Employee_Number, Employee_Name, Date FROM tblHoursReport ORDER BY AutoNumber")),
            (QList<QStringList>{
                {"7", "7 Smith  John", Monday}, {"7", "7 Smith  John", Tuesday}, {"7", "7 Smith  John", "Total"}}));
    }

    void onlyTheRangeOfEmployeesAndDaysCounts()
    {
        events(7, QStringLiteral("2026-02-28"), {"08:00:00 1", "09:00:00 2"}); // the day before the range
        events(7, QStringLiteral("2026-03-01"), {"08:00:00 1", "09:00:00 2"}); // its first day
        events(7, QStringLiteral("2026-03-07"), {"08:00:00 1", "10:00:00 2"}); // its last day
        events(7, QStringLiteral("2026-03-08"), {"08:00:00 1", "12:00:00 2"});
        events(8, Monday, {"08:00:00 1", "12:00:00 2"});
        events(99, Monday, {"08:00:00 1", "12:00:00 2"}); // no such employee
        QVERIFY(FillIn_HoursReport_Tbl(week(1, 7), *std::make_unique<CountingFillShow>()));
        QCOMPARE(rows(QStringLiteral("SELECT Date, SumDay FROM tblHoursReport ORDER BY AutoNumber")),
                 (QList<QStringList>{{"2026-03-01", " 1:00"}, {"2026-03-07", " 2:00"}, {"Total", " 3:00"}}));
    }

    void anIncompleteEmployeeLeavesTheNextOneComplete()
    {
        events(7, Monday, {"08:00:00 1"});
        events(8, Monday, {"08:00:00 1", "16:00:00 2"});
        QVERIFY(FillIn_HoursReport_Tbl(week(), *std::make_unique<CountingFillShow>()));
        QCOMPARE(rows(QStringLiteral(
                     "SELECT Employee_Number, DayTotal FROM tblHoursReport WHERE IsTotal = 1 ORDER BY AutoNumber")),
                 (QList<QStringList>{{"7", "     (*) 0:00"}, {"8", "         8:00"}}));
    }

    void noEventLeavesTheTableEmptyWithoutAnimation()
    {
        events(7, Monday, {"08:00:00 1", "16:00:00 2"});
        QVERIFY(FillIn_HoursReport_Tbl(week(), *std::make_unique<CountingFillShow>()));
        QVERIFY(count(QStringLiteral("tblHoursReport")) > 0);
        CountingFillShow show;
        QVERIFY(FillIn_HoursReport_Tbl(week(20, 30), show));
        QCOMPARE(count(QStringLiteral("tblHoursReport")), 0);
        QCOMPARE(show.starts, 0);
        QCOMPARE(show.pausedEnds, 0);
    }

    // A year of full days is more minutes than 16 bits hold.
    void sumsOfAYearDoNotOverflow()
    {
        QDate day(2025, 1, 1);
        for (int d = 0; d < 100; ++d, day = day.addDays(1))
            events(7, day.toString(Qt::ISODate), {"08:00:00 1", "17:00:00 2"});
        ReportFilters f = week();
        f.fromDate = QDate(2025, 1, 1);
        f.toDate = QDate(2025, 12, 31);
        QVERIFY(FillIn_HoursReport_Tbl(f, *std::make_unique<CountingFillShow>()));
        QCOMPARE(rows(QStringLiteral(
                     "SELECT SumDay, DayTotal, DayHours, GlobalTotal, GlobalH FROM tblHoursReport WHERE IsTotal = 1")),
                 (QList<QStringList>{{" 900:00", "       900:00", "900", "       900:00", "900"}}));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    // A fill that fails leaves nothing of the last one for a report to show.
    void aFailedFillIsReportedOnceAndLeavesTheTableEmpty()
    {
        events(7, Monday, {"08:00:00 1", "16:00:00 2"});
        QVERIFY(FillIn_HoursReport_Tbl(week(), *std::make_unique<CountingFillShow>()));
        QVERIFY(count(QStringLiteral("tblHoursReport")) > 0);
        events(8, Monday, {"08:00:00 1", "not a time 2"});
        CountingFillShow show;
        QVERIFY(!FillIn_HoursReport_Tbl(week(), show));
        QCOMPARE(count(QStringLiteral("tblHoursReport")), 0);
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 1012\r")));
        QCOMPARE(show.abruptEnds, 1);
        QCOMPARE(show.pausedEnds, 0);
    }

    // A time another program wrote into the log fails the fill, and the report
    // names the row so that the user can mend or remove it.
    void anUnreadableTimeIsNamedWithItsEmployeeAndDay_data()
    {
        QTest::addColumn<QVariant>("time");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << QVariant(QString()) << "";
        QTest::newRow("none") << QVariant() << "";
        QTest::newRow("past the day") << QVariant(QStringLiteral("25:61:99")) << "25:61:99";
        QTest::newRow("letters") << QVariant(QStringLiteral("abc")) << "abc";
        QTest::newRow("with more behind") << QVariant(QStringLiteral("08:00:00.5")) << "08:00:00.5";
        QTest::newRow("a place holder") << QVariant(QStringLiteral("%2")) << "%2";
        QTest::newRow("hour 24") << QVariant(QStringLiteral("24:00:00")) << "24:00:00";
    }

    void anUnreadableTimeIsNamedWithItsEmployeeAndDay()
    {
        QFETCH(QVariant, time);
        QFETCH(QString, shown);
        events(7, Monday, {"08:00:00 1", "16:00:00 2"});
        events(8, Monday, {"08:00:00 1"});
        Db().execute(
            QStringLiteral("INSERT INTO tblOnline (Time_CR, Date_CR, Employee_Number, iIn) VALUES (?, ?, 8, 2)"),
            {time, Tuesday});
        CountingFillShow show;
        QVERIFY(!FillIn_HoursReport_Tbl(week(), show));
        QCOMPARE(count(QStringLiteral("tblHoursReport")), 0);
        QCOMPARE(env->prompts.texts(),
                 QStringList{QStringLiteral("Funcion error#: 1012\rUnreadable event time '") + shown +
                             QStringLiteral("' of employee 8 Lee  Ann on ") + QStringLiteral("3 Mar 2026(13)")});
    }

    void theUnreadableTimeIsNamedInGerman()
    {
        TestEnvironment::useGerman();
        events(7, Monday, {"abc 1"});
        QVERIFY(!FillIn_HoursReport_Tbl(week(), *std::make_unique<CountingFillShow>()));
        QCOMPARE(env->prompts.texts(),
                 QStringList{QStringLiteral("Funcion error#: 1012\rUnlesbare Ereigniszeit 'abc' bei Mitarbeiter "
                                            "7 Smith  John am ") +
                             QStringLiteral("2 Mar 2026(13)")});
    }

    // A day no calendar has, put into the log by another program, counts as
    // no working day: every working-hours report refuses it, naming the
    // employee and the day as stored, in the program's language, and its
    // table stays empty.
    void anImpossibleDayIsRefusedByEveryWorkingHoursReport_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("said");
        const QString english = QStringLiteral("Funcion error#: 1012\rUnreadable event date '2026-02-30' of employee "
                                               "7 Smith  John(13)");
        const QString german = QStringLiteral("Funcion error#: 1012\rUnlesbares Ereignisdatum '2026-02-30' bei "
                                              "Mitarbeiter 7 Smith  John(13)");
        QTest::newRow("details") << ReportKinds::HoursDetails << 0 << "tblHoursReport" << english;
        QTest::newRow("incomplete hours") << ReportKinds::IncompleteHours << 0 << "tblExceptReport" << english;
        QTest::newRow("late arrival") << ReportKinds::LateArrival << 0 << "tblLateReport" << english;
        QTest::newRow("totals") << ReportKinds::HoursTotal << 0 << "tblHoursReport" << english;
        QTest::newRow("details, German") << ReportKinds::HoursDetails << 1 << "tblHoursReport" << german;
        QTest::newRow("late arrival, German") << ReportKinds::LateArrival << 1 << "tblLateReport" << german;
    }

    void anImpossibleDayIsRefusedByEveryWorkingHoursReport()
    {
        QFETCH(int, kind);
        QFETCH(int, language);
        QFETCH(QString, table);
        QFETCH(QString, said);
        if (language == 1)
            TestEnvironment::useGerman();
        appState().DefaultStartTime = QStringLiteral("08:00");
        appState().DefaultWorkHours = 9;
        events(7, QStringLiteral("2026-02-27"), {"08:30:00 1", "16:00:00 2"});
        events(7, QStringLiteral("2026-02-30"), {"08:00:00 1", "16:00:00 2"});
        ReportFilters february = week();
        february.fromDate = QDate(2026, 2, 1);
        february.toDate = QDate(2026, 3, 31);
        CountingFillShow show;
        QVERIFY(!makeReport(kind)->fill(february, show));
        QCOMPARE(env->prompts.texts(), QStringList{said});
        QCOMPARE(count(table), 0);
    }

    // The total row is told by its mark, not by its word in some language.
    void theTotalRowIsMarkedWhateverItsWord()
    {
        DictionaryContents german;
        german.languages = {QStringLiteral("English"), QStringLiteral("Deutsch")};
        german.entries.insert(QStringLiteral("Total"), {QStringLiteral("Summe")});
        BinaryDict().setContents(german);
        BinaryDict().setLanguage(1);
        events(7, Monday, {"08:00:00 1", "16:00:00 2"});
        QVERIFY(FillIn_HoursReport_Tbl(week(), *std::make_unique<CountingFillShow>()));
        QCOMPARE(rows(QStringLiteral("SELECT Date FROM tblHoursReport WHERE IsTotal = 1")),
                 (QList<QStringList>{{"Summe"}}));
    }

    void theSavedQueryGivesOneEmployeesDayInTimeOrder()
    {
        events(7, Monday, {"12:00:00 2", "08:00:00 1"});
        events(7, Tuesday, {"09:00:00 1"});
        events(8, Monday, {"10:00:00 1"});
        Recordset rs = Db().openQuery(QStringLiteral("qryParamHoursReport"),
                                      {{QStringLiteral("prmDate"), Monday}, {QStringLiteral("prmNum"), 7}});
        QCOMPARE(rs.recordCount(), 2);
        rs.moveFirst();
        QCOMPARE(rs.field(3).textOrEmpty(), QStringLiteral("08:00:00"));
        QCOMPARE(rs.field(5).textOrEmpty(), QStringLiteral("1"));
        rs.moveNext();
        QCOMPARE(rs.field(3).textOrEmpty(), QStringLiteral("12:00:00"));
        QCOMPARE(rs.field(0).textOrEmpty(), QStringLiteral("7"));
        QCOMPARE(rs.field(2).textOrEmpty(), Monday);
    }
};

QTEST_GUILESS_MAIN(HoursFillTest)
#include "tst_hoursfill.moc"
