#include "reports/framework/FilterCheck.h"
#include "reports/framework/SortOrder.h"

#include <QtTest>

class FilterCheckTest : public QObject {
    Q_OBJECT

private slots:
    // A text pasted past the key filter is read by its leading digits.
    void employeeNumbersAreReadByTheirLeadingDigits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::newRow("digits") << "42" << 42.0;
        QTest::newRow("leading blanks") << "  7" << 7.0;
        QTest::newRow("digits then letters") << "12ab" << 12.0;
        QTest::newRow("no digits") << "abc" << 0.0;
        QTest::newRow("a minus sign") << "-5" << 0.0;
        QTest::newRow("far too many digits") << "99999999999999999999" << 1e20;
    }

    void employeeNumbersAreReadByTheirLeadingDigits()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QCOMPARE(leadingNumber(text), number);
    }

    void theFirstProblemWins()
    {
        const QDate today(2026, 3, 2);
        // Empty before above 500, above 500 before the order, employees before dates.
        QCOMPARE(checkFilters(QString(), QStringLiteral("999"), today, today.addDays(-3), today)->message,
                 QStringLiteral("You Must Input Employee Number!"));
        QCOMPARE(checkFilters(QStringLiteral("600"), QStringLiteral("2"), today, today, today)->focus,
                 FilterProblem::Field::FromEmployee);
        QCOMPARE(checkFilters(QStringLiteral("9"), QStringLiteral("2"), today.addDays(1), today, today)->message,
                 QStringLiteral("'From Employee' Must be below 'To Employee' !"));
        QVERIFY(!checkFilters(QStringLiteral("500"), QStringLiteral("500"), today, today, today));
        const ReportFilters f =
            filtersOf(QStringLiteral("3"), QStringLiteral("12"), today.addDays(-2), today, SortDirection::Descending);
        QCOMPARE(f.rangeParams(), (QVariantList{3, 12, QStringLiteral("2026-02-28"), QStringLiteral("2026-03-02")}));
        QCOMPARE(f.fromEmployeeText, QStringLiteral("3"));
    }

    // No text of a window reaches the SQL: the direction is one of two keywords.
    void theSortDirectionIsChosenNotCopied_data()
    {
        QTest::addColumn<QString>("sortOrder");
        QTest::addColumn<QString>("keyword");
        // clang-format off
        QTest::newRow("after load") << "Asc" << "ASC";
        QTest::newRow("ascending") << "" << "ASC";
        QTest::newRow("descending") << "DESC" << "DESC";
        QTest::newRow("any letter case") << "desc" << "DESC";
        QTest::newRow("anything else") << "DESC; DELETE FROM tblOnline" << "ASC";
        // clang-format on
    }

    void theSortDirectionIsChosenNotCopied()
    {
        QFETCH(QString, sortOrder);
        QFETCH(QString, keyword);
        QCOMPARE(sortKeyword(sortDirectionOf(sortOrder)), keyword);
    }
};

QTEST_GUILESS_MAIN(FilterCheckTest)
#include "tst_filtercheck.moc"
