#include "platform/AppError.h"
#include "platform/text/DateTimeText.h"
#include "platform/text/VbText.h"
#include "platform/text/Windows1252.h"

#include <QtTest>

class TextTest : public QObject {
    Q_OBJECT

private slots:
    void trimRemovesBlanksOnly()
    {
        QCOMPARE(VbText::trim(QStringLiteral("  12 34  ")), QStringLiteral("12 34"));
        QCOMPARE(VbText::trim(QStringLiteral("\t12\t")), QStringLiteral("\t12\t"));
        QCOMPARE(VbText::trim(QStringLiteral("   ")), QString());
    }

    void wholeNumbers_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("expected"); // the number, or minus the failure's number
        QTest::newRow("text") << QVariant(QStringLiteral(" 42 ")) << 42;
        QTest::newRow("signed") << QVariant(QStringLiteral("-7")) << -7;
        QTest::newRow("half to even down") << QVariant(QStringLiteral("2.5")) << 2;
        QTest::newRow("half to even up") << QVariant(QStringLiteral("3.5")) << 4;
        QTest::newRow("integer") << QVariant(qlonglong(32767)) << 32767;
        QTest::newRow("double") << QVariant(-0.5) << 0;
        QTest::newRow("letters") << QVariant(QStringLiteral("7a")) << -Err::TypeMismatch;
        QTest::newRow("empty") << QVariant(QString()) << -Err::TypeMismatch;
        QTest::newRow("overflow") << QVariant(qlonglong(40000)) << -Err::Overflow;
        QTest::newRow("overflow text") << QVariant(QStringLiteral("32768")) << -Err::Overflow;
        QTest::newRow("null") << QVariant() << -Err::InvalidUseOfNull;
    }

    void wholeNumbers()
    {
        QFETCH(QVariant, value);
        QFETCH(int, expected);
        int got = 0;
        try {
            got = VbText::toInt16(value);
        } catch (const AppError& e) {
            got = -e.number();
        }
        QCOMPARE(got, expected);
    }

    // The stored forms sort as text: always four-digit years and two-digit fields.
    void isoTexts()
    {
        QCOMPARE(DateTimeText::isoDate(QDate(2026, 3, 2)), QStringLiteral("2026-03-02"));
        QCOMPARE(DateTimeText::isoDate(QDate(987, 12, 31)), QStringLiteral("0987-12-31"));
        QCOMPARE(DateTimeText::isoDate(QDate()), QString());
        QCOMPARE(DateTimeText::isoTime(QTime(9, 5, 7, 999)), QStringLiteral("09:05:07"));
        QCOMPARE(DateTimeText::isoTime(QTime(23, 59, 59)), QStringLiteral("23:59:59"));
        QCOMPARE(DateTimeText::isoTime(QTime()), QString());
    }

    // The texts of the event log and the reports under the tests' locale (C):
    // the short date with its month's name, the long time without a zone.
    void shownTexts_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        QTest::newRow("date") << DateTimeText::shortDate(QDate(2026, 3, 2)) << "2 Mar 2026";
        QTest::newRow("date of two-digit day") << DateTimeText::shortDate(QDate(2026, 12, 31)) << "31 Dec 2026";
        QTest::newRow("date of another century") << DateTimeText::shortDate(QDate(1999, 1, 9)) << "9 Jan 1999";
        QTest::newRow("no date") << DateTimeText::shortDate(QDate()) << "";
        QTest::newRow("time") << DateTimeText::longTime(QTime(9, 0, 0)) << "09:00:00";
        QTest::newRow("time before ten") << DateTimeText::longTime(QTime(7, 59, 1)) << "07:59:01";
        QTest::newRow("last second, milliseconds dropped")
            << DateTimeText::longTime(QTime(23, 59, 59, 999)) << "23:59:59";
        QTest::newRow("midnight") << DateTimeText::longTime(QTime(0, 0, 0)) << "00:00:00";
    }

    void shownTexts()
    {
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        QCOMPARE(shown, expected);
    }

    // The short date every screen, printout and report file writes: the
    // locale's order with four-digit years, also where the locale's own short
    // form has two. The program's locale is the default one.
    void shortDatesHaveFourDigitYears_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("en_US") << "en_US" << QDate(2026, 11, 12) << "11/12/2026";
        QTest::newRow("en_US, one-digit month and day") << "en_US" << QDate(1985, 3, 5) << "3/5/1985";
        QTest::newRow("de_DE") << "de_DE" << QDate(2026, 12, 11) << "11.12.2026";
        QTest::newRow("de_DE, one-digit month and day") << "de_DE" << QDate(1985, 3, 5) << "05.03.1985";
        QTest::newRow("fr_FR") << "fr_FR" << QDate(2026, 12, 11) << "11/12/2026";
        QTest::newRow("C") << "C" << QDate(2026, 12, 11) << "11 Dec 2026";
        QTest::newRow("year first, two digits of its own") << "ko_KR" << QDate(2026, 3, 5) << "2026. 3. 5.";
        // clang-format on
    }

    void shortDatesHaveFourDigitYears()
    {
        QFETCH(QString, locale);
        QFETCH(QDate, date);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        const QString text = DateTimeText::shortDate(date);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(text, shown);
        QCOMPARE(DateTimeText::shortDate(date, QLocale(locale)), shown);
    }

    void windows1252RoundTrip()
    {
        for (int b = 0; b < 256; ++b) {
            const QChar c = Windows1252::decode(static_cast<unsigned char>(b));
            QCOMPARE(int(Windows1252::encode(c).value()), b);
        }
        QCOMPARE(Windows1252::decode(0x80), QChar(0x20AC));
        QCOMPARE(int(*Windows1252::encode(QChar(0x00E9))), 0xE9);
        QVERIFY(!Windows1252::encode(QChar(0x0416)).has_value()); // Cyrillic has no byte here
    }
};

QTEST_GUILESS_MAIN(TextTest)
#include "tst_text.moc"
