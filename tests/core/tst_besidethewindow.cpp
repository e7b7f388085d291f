#include "core/AppState.h"
#include "core/BesideTheWindow.h"
#include "core/Messages.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>
#include <thread>

class BesideTheWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->openNewDatabase();
    }
    void cleanup() { env.reset(); }

    // The work writes through a connection of its own while the window's
    // stays open, and what it committed is there for the window afterwards.
    void theWorkHasAConnectionOfItsOwn()
    {
        Database* windows = &Db();
        Database* works = nullptr;
        RunBesideTheWindow([&] {
            works = &Db();
            Transaction t(Db());
            Db().execute(QStringLiteral("INSERT INTO tblHolidays (Date) VALUES ('2000-12-25')"));
            t.commit();
        });
        QVERIFY(works != nullptr);
        QVERIFY(works != windows);
        QCOMPARE(Db().openSql(QStringLiteral("SELECT count(*) FROM tblHolidays WHERE Date = '2000-12-25'"))
                     .field(0)
                     .variant()
                     .toInt(),
                 1);
    }

    // Another thread never reaches the window's connection.
    void aThreadWithoutItsOwnConnectionHasNone()
    {
        int number = 0;
        std::thread other([&] {
            try {
                Db();
            } catch (const AppError& error) {
                number = error.number();
            }
        });
        other.join();
        QCOMPARE(number, 91);
    }

    // Its reports come as boxes once it has ended, in their order, and what it
    // threw comes to the caller after them.
    void itsReportsShowOnceItHasEnded()
    {
        int boxesWhileItRan = -1;
        int number = 0;
        try {
            RunBesideTheWindow([&] {
                guarded(952, [] { raiseError(Err::Overflow, QStringLiteral("Overflow")); });
                guarded(1012, [] { raiseError(Err::TypeMismatch, QStringLiteral("Type mismatch")); });
                boxesWhileItRan = static_cast<int>(env->prompts.boxes.size());
                raiseError(Err::Locked, QStringLiteral("held"));
            });
        } catch (const AppError& error) {
            number = error.number();
            QCOMPARE(env->prompts.texts(), (QStringList{QStringLiteral("Funcion error#: 952\rOverflow(6)"),
                                                        QStringLiteral("Funcion error#: 1012\rType mismatch(13)")}));
        }
        QCOMPARE(boxesWhileItRan, 0);
        QCOMPARE(number, 3260);
    }

    void theCallerHearsOfTheEndBeforeTheReports_data()
    {
        QTest::addColumn<bool>("report");
        QTest::newRow("a report") << true;
        QTest::newRow("none") << false;
    }

    // A notice that stood while the work ran can go before the work's boxes.
    void theCallerHearsOfTheEndBeforeTheReports()
    {
        QFETCH(bool, report);
        int boxesAtTheEnd = -1;
        bool toldOfReports = !report;
        RunBesideTheWindowThen(
            [&] {
                if (report)
                    guarded(952, [] { raiseError(Err::Overflow, QStringLiteral("Overflow")); });
            },
            [&](bool reportsFollow) {
                toldOfReports = reportsFollow;
                boxesAtTheEnd = static_cast<int>(env->prompts.boxes.size());
            });
        QCOMPARE(boxesAtTheEnd, 0);
        QCOMPARE(toldOfReports, report);
        QCOMPARE(env->prompts.boxes.size(), report ? 1 : 0);
    }
};

QTEST_MAIN(BesideTheWindowTest)
#include "tst_besidethewindow.moc"
