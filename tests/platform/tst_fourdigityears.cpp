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
        QTest::newRow("two digits") << "M/d/yy" << "M/d/yyyy";
        QTest::newRow("four digits") << "d MMM yyyy" << "d MMM yyyy";
        QTest::newRow("one digit") << "d.M.y" << "d.M.yyyy";
        QTest::newRow("quoted") << "dd 'yy' yy" << "dd 'yy' yyyy";
        QTest::newRow("no year") << "dd MMM" << "dd MMM";
    }

    void formats()
    {
        QFETCH(QString, format);
        QFETCH(QString, widened);
        QCOMPARE(withFourDigitYears(format), widened);
    }

    // The short forms of the locales the program is used in.
    void localeShortForms_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("widened");
        QTest::newRow("C") << "C" << "d MMM yyyy";
        QTest::newRow("en_US") << "en_US" << "M/d/yyyy";
        QTest::newRow("de_DE") << "de_DE" << "dd.MM.yyyy";
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
