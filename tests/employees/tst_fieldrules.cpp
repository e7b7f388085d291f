#include "employees/EmployeeFieldRules.h"
#include "platform/db/FieldValue.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

// What the employee editor makes of typed text, and how stored values come back.
class FieldRulesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    static QString plain() { return QStringLiteral("Invalid Employee number, Please enter a number"); }
    static QString ranged() { return plain() + QStringLiteral(" From: 1 To: 500."); }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void employeeNumbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("number"); // 0: refused or empty
        QTest::addColumn<QString>("refusal");
        QTest::newRow("lowest") << "1" << 1 << "";
        QTest::newRow("highest") << "500" << 500 << "";
        QTest::newRow("blanks around") << " 12 " << 12 << "";
        QTest::newRow("leading zeros") << "007" << 7 << "";
        QTest::newRow("empty") << "" << 0 << "";
        QTest::newRow("zero") << "0" << 0 << ranged();
        QTest::newRow("too high") << "501" << 0 << ranged();
        QTest::newRow("negative") << "-5" << 0 << ranged();
        QTest::newRow("plus sign") << "+5" << 5 << "";
        QTest::newRow("exponent") << "1e2" << 100 << "";
        QTest::newRow("whole fraction") << "7.0" << 7 << "";
        // A fraction would be stored as REAL and never found by number; it lies
        // within the range, so the range is not what is wrong with it.
        QTest::newRow("fraction") << "2.5" << 0 << plain();
        QTest::newRow("fraction beyond the range") << "500.5" << 0 << ranged();
        QTest::newRow("fraction below the range") << "0.5" << 0 << ranged();
        QTest::newRow("letters") << "abc" << 0 << plain();
        QTest::newRow("hexadecimal") << "&H10" << 0 << plain();
        QTest::newRow("blanks only") << "   " << 0 << plain();
        QTest::newRow("sql") << "1 OR 1=1" << 0 << plain();
    }

    void employeeNumbers()
    {
        QFETCH(QString, typed);
        QFETCH(int, number);
        QFETCH(QString, refusal);
        const EmployeeNumberVerdict verdict = checkEmployeeNumber(typed);
        QCOMPARE(verdict.empty, typed.isEmpty());
        QCOMPARE(verdict.number.value_or(0), number);
        QCOMPARE(verdict.refusal, refusal);
    }

    void names_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        // clang-format off
        QTest::newRow("trimmed and capitalized") << "  john smith " << "John smith";
        QTest::newRow("rest keeps its case") << "mcDonald" << "McDonald";
        QTest::newRow("the last letter of the bound") << "zoe" << "Zoe";
        QTest::newRow("accented first letter") << "élise" << "élise";
        QTest::newRow("digit") << "9lives" << "9lives";
        QTest::newRow("empty") << "" << "";
        // clang-format on
    }

    void names()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(capitalizeName(typed), stored);
    }

    void listsStoreTheirChoice()
    {
        // No choice in the hours list stores 0, which the reports read as none.
        QCOMPARE(hoursFromListIndex(-1), int16_t(0));
        QCOMPARE(hoursFromListIndex(0), int16_t(0));
        QCOMPARE(hoursFromListIndex(8), int16_t(8));
        QCOMPARE(choiceFromListIndex(-1), int16_t(0));
        QCOMPARE(choiceFromListIndex(1), int16_t(2));
    }

    void storedChoicesSelectTheirRow_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("gender"); // -2: the list keeps what it shows
        QTest::addColumn<int>("hours");
        QTest::newRow("none") << QVariant(0) << -1 << -1;
        QTest::newRow("first") << QVariant(1) << 0 << 1;
        QTest::newRow("second") << QVariant(2) << 1 << 2;
        QTest::newRow("beyond the gender list") << QVariant(3) << -2 << 3;
        QTest::newRow("hours left without a choice") << QVariant(-1) << -2 << -1;
        QTest::newRow("eight") << QVariant(8) << -2 << 8;
        QTest::newRow("beyond the hours list") << QVariant(30) << -2 << -2;
        QTest::newRow("null") << QVariant() << -2 << -2;
    }

    void storedChoicesSelectTheirRow()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, gender);
        QFETCH(int, hours);
        QCOMPARE(listIndexForChoice(FieldValue(stored), 2).value_or(-2), gender);
        QCOMPARE(listIndexForHours(FieldValue(stored), 25).value_or(-2), hours);
    }

    void startTimes_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("padded") << QVariant(QStringLiteral("7:05")) << "07:05";
        QTest::newRow("as stored") << QVariant(QStringLiteral("23:59")) << "23:59";
        QTest::newRow("empty mask") << QVariant(QStringLiteral("__:__")) << "";
        QTest::newRow("blanks") << QVariant(QStringLiteral("   ")) << "";
        QTest::newRow("null") << QVariant() << "";
        QTest::newRow("no time") << QVariant(QStringLiteral("soon")) << "soon";
    }

    void startTimes()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        QCOMPARE(startTimeForDisplay(FieldValue(stored)), shown);
    }
};

QTEST_GUILESS_MAIN(FieldRulesTest)
#include "tst_fieldrules.moc"
