#include "core/AppState.h"
#include "employees/EmployeeEditSession.h"
#include "employees/EmployeeFields.h"
#include "tests/support/FailureOf.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

namespace {

int count(const QString& sql, const QVariantList& params = {})
{
    return Db().openSql(sql, params).field(0).toInt16();
}

QString text(const QString& sql, const QVariantList& params = {})
{
    return Db().openSql(sql, params).field(0).textOrEmpty();
}

void addEmployee(int number, const QString& first, const QString& last)
{
    Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name) VALUES (?, ?, ?)"),
                 {number, first, last});
}

}

// The editor's work copy of the register and its stores back.
class EditSessionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<EmployeeEditSession> session;

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
        // Stored out of number order on purpose.
        addEmployee(30, QStringLiteral("Cid"), QStringLiteral("Young"));
        addEmployee(5, QStringLiteral("Ann"), QStringLiteral("Smith"));
        addEmployee(12, QStringLiteral("Bob"), QStringLiteral("Jones"));
        session = std::make_unique<EmployeeEditSession>(Db());
        session->open();
    }

    void cleanup()
    {
        session.reset();
        env.reset();
    }

    void theWorkCopyFollowsTheNumbers()
    {
        QCOMPARE(session->count(), 3);
        QCOMPARE(session->move(EmployeeEditSession::Move::First).number, int16_t(5));
        QCOMPARE(session->move(EmployeeEditSession::Move::Next).number, int16_t(12));
        QCOMPARE(session->move(EmployeeEditSession::Move::Next).number, int16_t(30));
        // Reopening starts afresh from the register.
        session->open();
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tblTempEmp")), 3);
        session->close();
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tblTempEmp")), 0);
    }

    void movesStopAtTheEnds_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("end");
        using M = EmployeeEditSession::Move;
        using E = EmployeeEditSession::End;
        QTest::newRow("first") << 12 << int(M::First) << 5 << int(E::Start);
        QTest::newRow("previous onto the first") << 12 << int(M::Previous) << 5 << int(E::None);
        QTest::newRow("previous past the first") << 5 << int(M::Previous) << 5 << int(E::Start);
        QTest::newRow("next onto the last") << 12 << int(M::Next) << 30 << int(E::None);
        QTest::newRow("next past the last") << 30 << int(M::Next) << 30 << int(E::Finish);
        QTest::newRow("last") << 5 << int(M::Last) << 30 << int(E::Finish);
    }

    void movesStopAtTheEnds()
    {
        QFETCH(int, from);
        QFETCH(int, step);
        QFETCH(int, number);
        QFETCH(int, end);
        QVERIFY(session->show(int16_t(from)));
        const auto result = session->move(EmployeeEditSession::Move(step));
        QCOMPARE(int(result.number), number);
        QCOMPARE(int(result.end), end);
    }

    void aMoveKeepsTheEditInTheWorkCopyOnly()
    {
        QVERIFY(session->show(12));
        session->write(EmpField::First_Name, QStringLiteral("Robert"));
        QVERIFY(session->dirty());
        session->move(EmployeeEditSession::Move::First);
        QVERIFY(session->show(12));
        QCOMPARE(session->value(EmpField::First_Name).textOrEmpty(), QStringLiteral("Robert"));
        QCOMPARE(text(QStringLiteral("SELECT First_Name FROM tblEmployees WHERE Employee_Number = 12")),
                 QStringLiteral("Bob"));
    }

    void undoDropsWhatIsPending()
    {
        QVERIFY(session->show(12));
        session->write(EmpField::First_Name, QStringLiteral("Robert"));
        session->undo();
        QVERIFY(session->isEditing());
        QCOMPARE(session->value(EmpField::First_Name).textOrEmpty(), QStringLiteral("Bob"));
        QVERIFY(session->dirty()); // undo does not change it
    }

    // A store is of the shown employee only: another one changed before is
    // still to be stored, until Save All.
    void aStoreLeavesTheOtherChangesToStore()
    {
        QVERIFY(session->show(5));
        session->write(EmpField::First_Name, QStringLiteral("Anna"));
        session->move(EmployeeEditSession::Move::Next);
        QVERIFY(session->show(12));
        session->write(EmpField::First_Name, QStringLiteral("Robert"));
        session->store(false);
        QVERIFY(session->dirty());
        QVERIFY(session->changed(5));
        QVERIFY(!session->changed(12));
        session->undo();
        QVERIFY(session->changed(5));
        session->storeAll();
        QVERIFY(!session->dirty());
        QCOMPARE(text(QStringLiteral("SELECT First_Name FROM tblEmployees WHERE Employee_Number = 5")),
                 QStringLiteral("Anna"));
    }

    void anEmployeeNotInTheWorkCopyOpensNothing()
    {
        QVERIFY(!session->show(99));
        QVERIFY(!session->isEditing());
    }

    void storeWritesEveryField()
    {
        QVERIFY(session->show(12));
        const QVariant values[EmpField::Count] = {12,
                                                  "Robert",
                                                  "O'Neil",
                                                  "ID-7",
                                                  1,
                                                  2,
                                                  "1980-05-17",
                                                  "Main St\r\n4",
                                                  "555",
                                                  "556",
                                                  "b@x",
                                                  "Clerk",
                                                  "2010-01-04",
                                                  "2009-12-01",
                                                  "/pics/bob.jpg",
                                                  -1,
                                                  "07:30",
                                                  8,
                                                  "0000004660  ",
                                                  2};
        for (int i = 1; i < EmpField::Count; ++i)
            session->write(i, values[i]);
        session->store(false);
        QVERIFY(!session->dirty());
        QVERIFY(session->isEditing());
        Recordset rs = Db().openSql(QStringLiteral("SELECT * FROM tblEmployees WHERE Employee_Number = 12"));
        for (int i = 0; i < EmpField::Count; ++i)
            QCOMPARE(rs.field(i).variant().toString(), values[i].toString());
        QCOMPARE(rs.field(EmpField::SlotNumber).toInt16(), int16_t(-1));
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tblEmployees")), 3);
    }

    void aNewEmployeeIsAddedWithTheDefaults()
    {
        session->beginNew();
        session->write(EmpField::Employee_Number, int16_t(7));
        session->write(EmpField::Last_Name, QStringLiteral("Lee"));
        session->store(true);
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tblEmployees WHERE Employee_Number = 7 AND "
                                      "typeof(Employee_Number) = 'integer' AND StartTime = '__:__' AND "
                                      "WorkingHours = 0 AND Employee_Code = ''")),
                 1);
        // Stored again, by its number, once it is no longer new.
        session->write(EmpField::First_Name, QStringLiteral("Kim"));
        session->store(false);
        QCOMPARE(text(QStringLiteral("SELECT First_Name FROM tblEmployees WHERE Employee_Number = 7")),
                 QStringLiteral("Kim"));
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tblEmployees")), 4);
    }

    void aNewEmployeeWithATakenNumberChangesNothing()
    {
        session->beginNew();
        session->write(EmpField::Employee_Number, int16_t(12));
        session->write(EmpField::Last_Name, QStringLiteral("Lee"));
        QCOMPARE(failureOf([&] { session->store(true); }), Err::DuplicateKey);
        QVERIFY(session->dirty());
        QVERIFY(session->isEditing());
        QCOMPARE(text(QStringLiteral("SELECT Last_Name FROM tblEmployees WHERE Employee_Number = 12")),
                 QStringLiteral("Jones"));
        // Another number, and it goes in.
        session->write(EmpField::Employee_Number, int16_t(13));
        session->store(true);
        QCOMPARE(text(QStringLiteral("SELECT Last_Name FROM tblEmployees WHERE Employee_Number = 13")),
                 QStringLiteral("Lee"));
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tblEmployees")), 4);
    }

    // Save All pairs work records with register rows by number: the register
    // holds them in another order, and a pairing by position would have
    // written Ann's record over Cid's.
    void saveAllPairsByNumber()
    {
        QVERIFY(session->show(5));
        session->write(EmpField::First_Name, QStringLiteral("Anna"));
        session->move(EmployeeEditSession::Move::Next);
        QVERIFY(session->show(12));
        session->write(EmpField::First_Name, QStringLiteral("Robert"));
        session->storeAll();
        QVERIFY(!session->dirty());
        QVERIFY(session->isEditing());
        QCOMPARE(session->value(EmpField::Employee_Number).toInt16(), int16_t(12));
        Recordset rs = Db().openSql(QStringLiteral("SELECT Employee_Number, First_Name, Last_Name FROM tblEmployees "
                                                   "ORDER BY rowid"));
        QStringList rows;
        for (; !rs.eof(); rs.moveNext())
            rows << rs.field(0).textOrEmpty() + QLatin1Char(' ') + rs.field(1).textOrEmpty() + QLatin1Char(' ') +
                        rs.field(2).textOrEmpty();
        QCOMPARE(rows, (QStringList{"30 Cid Young", "5 Anna Smith", "12 Robert Jones"}));
    }

    void aFailedSaveAllLeavesTheRegisterAsItWas()
    {
        Db().execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON tblEmployees WHEN NEW.First_Name = 'Boom'"
                                    " BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        QVERIFY(session->show(5));
        session->write(EmpField::First_Name, QStringLiteral("Anna"));
        session->move(EmployeeEditSession::Move::Last);
        QVERIFY(session->show(30));
        session->write(EmpField::First_Name, QStringLiteral("Boom"));
        QVERIFY(failureOf([&] { session->storeAll(); }) != 0);
        QVERIFY(session->dirty());
        QVERIFY(session->isEditing());
        QCOMPARE(count(QStringLiteral("SELECT count(*) FROM tblEmployees WHERE First_Name IN ('Anna', 'Boom')")), 0);
    }
};

QTEST_GUILESS_MAIN(EditSessionTest)
#include "tst_editsession.moc"
