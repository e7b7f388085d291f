#include "platform/text/FourDigitYears.h"

#include <QLocale>
#include <QtTest>

// Date formats with four-digit years, for the date fields.
class FourDigitYearsTest : public QObject {
    Q_OBJECT

private slots:
    void formats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("widened");
        // clang-format off
        QTest::newRow("two digits") << "M/d/yy" << "M/d/yyyy";
        QTest::newRow("four digits") << "d MMM yyyy" << "d MMM yyyy";
        QTest::newRow("one digit") << "d.M.y" << "d.M.yyyy";
        QTest::newRow("quoted") << "dd 'yy' yy" << "dd 'yy' yyyy";
        QTest::newRow("no year") << "dd MMM" << "dd MMM";
        // clang-format on
    }

    void formats()
    {
        QFETCH(QString, format);
        QFETCH(QString, widened);
        QCOMPARE(withFourDigitYears(format), widened);
    }

    // This century up to this year's two digits, the century before above them.
    void theYearOfTwoDigits_data()
    {
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("thisYear");
        QTest::addColumn<int>("year");
        QTest::newRow("85 in 2026") << 85 << 2026 << 1985;
        QTest::newRow("07 in 2026") << 7 << 2026 << 2007;
        QTest::newRow("this year") << 26 << 2026 << 2026;
        QTest::newRow("next year's digits") << 27 << 2026 << 1927;
        QTest::newRow("00") << 0 << 2026 << 2000;
        QTest::newRow("99") << 99 << 2026 << 1999;
        QTest::newRow("in 2099") << 99 << 2099 << 2099;
    }

    void theYearOfTwoDigits()
    {
        QFETCH(int, digits);
        QFETCH(int, thisYear);
        QFETCH(int, year);
        QCOMPARE(yearOfTwoDigits(digits, thisYear), year);
    }

    // The short forms of the locales the program is used in.
    void localeShortForms_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("widened");
        // clang-format off
        QTest::newRow("C") << "C" << "d MMM yyyy";
        QTest::newRow("en_US") << "en_US" << "M/d/yyyy";
        QTest::newRow("de_DE") << "de_DE" << "dd.MM.yyyy";
        // clang-format on
    }

    void localeShortForms()
    {
        QFETCH(QString, locale);
        QFETCH(QString, widened);
        QCOMPARE(withFourDigitYears(QLocale(locale).dateFormat(QLocale::ShortFormat)), widened);
    }
};

QTEST_GUILESS_MAIN(FourDigitYearsTest)
#include "tst_fourdigityears.moc"
