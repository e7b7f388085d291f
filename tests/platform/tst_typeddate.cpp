#include "platform/text/TypedDate.h"

#include <QtTest>

Q_DECLARE_METATYPE(TypedDate::Kind)

// What a person types into a date field, read as a whole in the order of the
// locale. The year is 2026.
class TypedDateTest : public QObject {
    Q_OBJECT

private slots:
    void dates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("date"); // invalid: no date
        const QDate no;
        // clang-format off
        QTest::newRow("en_US") << "en_US" << "07/04/1976" << QDate(1976, 7, 4);
        QTest::newRow("en_US one digit each") << "en_US" << "7/4/1976" << QDate(1976, 7, 4);
        QTest::newRow("en_US run together") << "en_US" << "07041976" << QDate(1976, 7, 4);
        QTest::newRow("en_US six digits") << "en_US" << "070476" << QDate(1976, 7, 4);
        QTest::newRow("en_US other separators") << "en_US" << " 7-4.1976 " << QDate(1976, 7, 4);
        QTest::newRow("en_US 29 February 2000") << "en_US" << "02/29/00" << QDate(2000, 2, 29);
        QTest::newRow("en_US 29 February 2001") << "en_US" << "02/29/01" << no;
        QTest::newRow("en_US month 13") << "en_US" << "13/1/2020" << no;
        QTest::newRow("en_US day 0") << "en_US" << "1/0/2020" << no;
        QTest::newRow("en_US three year digits") << "en_US" << "7/4/197" << no;
        QTest::newRow("en_US five year digits") << "en_US" << "7/4/19761" << no;
        QTest::newRow("en_US three-digit day") << "en_US" << "7/004/1976" << no;
        QTest::newRow("en_US typed into the old date") << "en_US" << "07/04/1976/17/1980" << no;
        QTest::newRow("en_US two parts") << "en_US" << "7/4" << no;
        QTest::newRow("en_US seven digits") << "en_US" << "0704197" << no;
        QTest::newRow("en_US month by name") << "en_US" << "Jul 4 1976" << QDate(1976, 7, 4);
        QTest::newRow("en_US month by name in the middle") << "en_US" << "4 July 1976" << QDate(1976, 7, 4);
        QTest::newRow("en_US two names") << "en_US" << "Jul Jun 1976" << no;
        QTest::newRow("en_US a name for no month") << "en_US" << "Jux 4 1976" << no;
        QTest::newRow("de_DE") << "de_DE" << "15.06.2018" << QDate(2018, 6, 15);
        QTest::newRow("de_DE two year digits") << "de_DE" << "1.2.85" << QDate(1985, 2, 1);
        QTest::newRow("de_DE this year's digits") << "de_DE" << "1.2.26" << QDate(2026, 2, 1);
        QTest::newRow("de_DE next year's digits") << "de_DE" << "1.2.27" << QDate(1927, 2, 1);
        QTest::newRow("de_DE eight digits") << "de_DE" << "20072017" << QDate(2017, 7, 20);
        QTest::newRow("de_DE 31 February") << "de_DE" << "31.02.2018" << no;
        QTest::newRow("de_DE 31 June") << "de_DE" << "31.06.2018" << no;
        QTest::newRow("de_DE month by name") << "de_DE" << "15. Juni 2018" << QDate(2018, 6, 15);
        QTest::newRow("de_DE month by name, run together") << "de_DE" << "15Dez2018" << QDate(2018, 12, 15);
        QTest::newRow("de_DE inserted before the old date") << "de_DE" << "20.07.201717.05.1980" << no;
        QTest::newRow("fr_FR") << "fr_FR" << "04/07/1976" << QDate(1976, 7, 4);
        QTest::newRow("fr_FR month by name") << "fr_FR" << "4 juil. 1976" << QDate(1976, 7, 4);
        QTest::newRow("C") << "C" << "4 Jul 1976" << QDate(1976, 7, 4);
        QTest::newRow("C numbers") << "C" << "4 7 1976" << QDate(1976, 7, 4);
        QTest::newRow("C run together") << "C" << "04071976" << QDate(1976, 7, 4);
        QTest::newRow("C name first") << "C" << "Jul 4 1976" << QDate(1976, 7, 4);
        QTest::newRow("C year 0000") << "C" << "1 1 0000" << no;
        QTest::newRow("sv_SE year first") << "sv_SE" << "1976-07-04" << QDate(1976, 7, 4);
        QTest::newRow("sv_SE year first, run together") << "sv_SE" << "760704" << QDate(1976, 7, 4);
        // clang-format on
    }

    void dates()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QDate, date);
        const TypedDate read = readTypedDate(typed, QLocale(locale), 2026);
        QCOMPARE(read.kind, date.isValid() ? TypedDate::Kind::Date : TypedDate::Kind::Invalid);
        QCOMPARE(read.date, date);
    }

    // Blanks are nothing typed; separators alone are text that is no date.
    void nothingTyped()
    {
        QCOMPARE(readTypedDate(QString(), QLocale::c(), 2026).kind, TypedDate::Kind::Empty);
        QCOMPARE(readTypedDate(QStringLiteral("  "), QLocale::c(), 2026).kind, TypedDate::Kind::Empty);
        QCOMPARE(readTypedDate(QStringLiteral("//"), QLocale::c(), 2026).kind, TypedDate::Kind::Invalid);
        QCOMPARE(readTypedDayMonth(QStringLiteral(" "), QLocale::c(), 2000).kind, TypedDate::Kind::Empty);
    }

    // A yearly day: the day first, the month as a number or by its name.
    void daysOfTheYear_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("date");
        const QDate no;
        // clang-format off
        QTest::newRow("de_DE abbreviation without its full stop") << "de_DE" << "25 Dez" << QDate(2000, 12, 25);
        QTest::newRow("de_DE abbreviation with its full stop") << "de_DE" << "25 Dez." << QDate(2000, 12, 25);
        QTest::newRow("de_DE as shown") << "de_DE" << "25. Dez." << QDate(2000, 12, 25);
        QTest::newRow("de_DE full name") << "de_DE" << "25 Dezember" << QDate(2000, 12, 25);
        QTest::newRow("de_DE lower case") << "de_DE" << "1 märz" << QDate(2000, 3, 1);
        QTest::newRow("de_DE start of a name") << "de_DE" << "3 Sep" << QDate(2000, 9, 3);
        QTest::newRow("de_DE name first") << "de_DE" << "Dez 25" << QDate(2000, 12, 25);
        QTest::newRow("de_DE numbers") << "de_DE" << "25.12." << QDate(2000, 12, 25);
        QTest::newRow("de_DE four digits") << "de_DE" << "2512" << QDate(2000, 12, 25);
        QTest::newRow("de_DE 29 February") << "de_DE" << "29.2" << QDate(2000, 2, 29);
        QTest::newRow("de_DE 31 November") << "de_DE" << "31 Nov" << no;
        QTest::newRow("de_DE no such month") << "de_DE" << "25 Dex" << no;
        QTest::newRow("de_DE an English name") << "de_DE" << "25 Dec" << no;
        QTest::newRow("de_DE two names") << "de_DE" << "Mai Dez" << no;
        QTest::newRow("de_DE a year too") << "de_DE" << "25.12.2000" << no;
        QTest::newRow("de_DE three digits") << "de_DE" << "251" << no;
        QTest::newRow("en_US") << "en_US" << "25 Dec" << QDate(2000, 12, 25);
        QTest::newRow("en_US month 13") << "en_US" << "12/13" << no;
        QTest::newRow("C") << "C" << "04 Jul" << QDate(2000, 7, 4);
        // clang-format on
    }

    void daysOfTheYear()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QDate, date);
        const TypedDate read = readTypedDayMonth(typed, QLocale(locale), 2000);
        QCOMPARE(read.kind, date.isValid() ? TypedDate::Kind::Date : TypedDate::Kind::Invalid);
        QCOMPARE(read.date, date);
    }

    void monthNames_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("month");
        // clang-format off
        QTest::newRow("full") << "de_DE" << "Dezember" << 12;
        QTest::newRow("short with its full stop") << "de_DE" << "Sept." << 9;
        QTest::newRow("standing alone") << "de_DE" << "Mär" << 3;
        QTest::newRow("upper case") << "fr_FR" << "FÉVR" << 2;
        QTest::newRow("the start of two names") << "fr_FR" << "jui" << 0;
        QTest::newRow("two letters") << "de_DE" << "Ma" << 0;
        QTest::newRow("nothing") << "de_DE" << "." << 0;
        // clang-format on
    }

    void monthNames()
    {
        QFETCH(QString, locale);
        QFETCH(QString, name);
        QFETCH(int, month);
        QCOMPARE(monthOfName(name, QLocale(locale)), month);
    }
};

QTEST_GUILESS_MAIN(TypedDateTest)
#include "tst_typeddate.moc"
