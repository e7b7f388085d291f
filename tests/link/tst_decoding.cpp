#include "link/CodeDecoding.h"
#include "link/LinkState.h"
#include "link/OnlineEvent.h"
#include "link/PacketBuilder.h"
#include "platform/AppError.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

namespace {

// A Data array: index 0 unused, then the given bytes.
QByteArray data(std::initializer_list<int> values)
{
    QByteArray b(1, '\0');
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

}

class DecodingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void cardCode_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("code");
        QTest::newRow("card 42") << data({0x00, 0x00, 0x2A, 0x80}) << "0000000042";
        QTest::newRow("largest card") << data({0xFF, 0xFF, 0xFF, 0x80}) << "0016777215";
        QTest::newRow("card, other kind bits") << data({0x01, 0x00, 0x00, 0xFF}) << "0000065536";
        QTest::newRow("PIN 1234") << data({0x00, 0x12, 0x34, 0x00}) << "1234";
        QTest::newRow("PIN 0") << data({0x0A, 0x00, 0x00, 0x00}) << "0";
        QTest::newRow("PIN 01B") << data({0xA1, 0xB0, 0x00, 0x00}) << "01B";
        QTest::newRow("PIN, bit 7 only counts") << data({0x12, 0x34, 0x56, 0x7F}) << "123456";
        QTest::newRow("no data bytes") << QByteArray() << "";
        QTest::newRow("only the Data(0)") << data({}) << "";
        QTest::newRow("three data bytes") << data({1, 2, 3}) << "";
    }

    void cardCode()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, code);
        QCOMPARE(GetCardCode(data), code);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void codeDigits_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("digits");
        QTest::newRow("zero") << 0x00 << "";
        QTest::newRow("low only") << 0x07 << "7";
        QTest::newRow("high only") << 0x90 << "9";
        QTest::newRow("A is the digit 0") << 0xAA << "00";
        QTest::newRow("letters") << 0xBF << "BF";
        QTest::newRow("C D E") << 0xCD << "CD";
        QTest::newRow("E then 1") << 0xE1 << "E1";
    }

    void codeDigits()
    {
        QFETCH(int, byte);
        QFETCH(QString, digits);
        QCOMPARE(ByteToCodeDigits(static_cast<uint8_t>(byte)), digits);
    }

    void paddedCode()
    {
        QCOMPARE(CodeDecoding::paddedCode(QStringLiteral("1234")), QStringLiteral("1234        "));
        QCOMPARE(CodeDecoding::paddedCode(QStringLiteral("0000000042")), QStringLiteral("0000000042  "));
        QCOMPARE(CodeDecoding::paddedCode(QString()), QString(12, ' '));
    }

    void slotNumber_data()
    {
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("reported");
        QTest::newRow("500") << 0x01 << 0xF4 << 500 << false;
        QTest::newRow("no slot") << 0xFF << 0x00 << 65535 << false;
        QTest::newRow("lock strike") << 0xFF << 0xFE << 65535 << false;
        QTest::newRow("zero") << 0x00 << 0x00 << 0 << false;
        QTest::newRow("largest held") << 0x7F << 0xFF << 32767 << false;
        QTest::newRow("high byte 128") << 0x80 << 0x00 << 0 << true;
        QTest::newRow("high byte 254") << 0xFE << 0x01 << 0 << true;
    }

    void slotNumber()
    {
        QFETCH(int, high);
        QFETCH(int, low);
        QFETCH(int, slot);
        QFETCH(bool, reported);
        PacketBuilder::CodeReadFields f;
        f.slotHigh = static_cast<uint8_t>(high);
        f.slotLow = static_cast<uint8_t>(low);
        const QByteArray frame = PacketBuilder::codeRead(f);
        linkState().CurPacket = PacketRecord::fromFrame(frame);
        linkState().LastSlot = 1234;
        QCOMPARE(int(GetSlotNumber()), slot);
        QCOMPARE(int(linkState().LastSlot), slot);
        QCOMPARE(env->prompts.boxes.size(), reported ? 1 : 0);
        if (reported)
            QCOMPARE(env->prompts.boxes.first().text, QStringLiteral("Funcion error#: 862\rOverflow(6)"));
    }

    void doorStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("tamper");
        QTest::newRow("secure wins over bypass") << 0x60 << 2 << false;
        QTest::newRow("bypass") << 0x40 << 3 << false;
        QTest::newRow("normal with tamper") << 0x02 << 1 << true;
        QTest::newRow("normal") << 0x00 << 1 << false;
        QTest::newRow("secure with tamper, other bits") << 0xBF << 2 << true;
        QTest::newRow("other bits only") << 0x9D << 1 << false;
    }

    void doorStatus()
    {
        QFETCH(int, status);
        QFETCH(int, mode);
        QFETCH(bool, tamper);
        linkState().TamperFlag = !tamper;
        linkState().CurPacket = PacketRecord::fromFrame(PacketBuilder::packet(0x40, QByteArray(1, char(status))));
        QCOMPARE(int(GetDoorStatus()), mode);
        QCOMPARE(linkState().TamperFlag, tamper);
    }

    void builderRoundTrip_data()
    {
        QTest::addColumn<QString>("pin");
        QTest::newRow("one digit") << "7";
        QTest::newRow("zeros") << "100";
        QTest::newRow("six") << "0B1C2D";
        QTest::newRow("empty") << "";
    }

    void builderRoundTrip()
    {
        QFETCH(QString, pin);
        const QByteArray bytes = PacketBuilder::pinBytes(pin);
        QCOMPARE(bytes.size(), 3);
        QCOMPARE(GetCardCode(QByteArray(1, '\0') + bytes + QByteArray(1, '\0')), pin);
    }

    void builderRefusesWhatNoKeypadSends()
    {
        QVERIFY(PacketBuilder::pinBytes(QStringLiteral("1234567")).isEmpty());
        QVERIFY(PacketBuilder::pinBytes(QStringLiteral("12A")).isEmpty());
        QVERIFY(PacketBuilder::pinBytes(QStringLiteral("1 2")).isEmpty());
    }

    void meaning_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("out");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<int>("reason");
        QTest::newRow("0 opened in") << 0 << false << true << 0;
        QTest::newRow("1 opened out") << 1 << true << true << 0;
        QTest::newRow("9 secure out") << 9 << true << false << 1;
        QTest::newRow("16 time zones in") << 16 << false << false << 2;
        QTest::newRow("25 unknown code out") << 25 << true << false << 3;
        QTest::newRow("3 refused without reason") << 3 << true << false << 0;
        QTest::newRow("255") << 255 << true << false << 0;
    }

    void meaning()
    {
        QFETCH(int, result);
        QFETCH(bool, out);
        QFETCH(bool, opened);
        QFETCH(int, reason);
        const CodeReadMeaning m = meaningOf(data({0, 0, 1, 0x00, result, 0, 1, 7}));
        QCOMPARE(m.card, false);
        QCOMPARE(m.out, out);
        QCOMPARE(m.opened, opened);
        QCOMPARE(int(m.reason), reason);
        QCOMPARE(int(m.lockStrike), 0);
    }

    void lockStrike_data()
    {
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("strike");
        QTest::newRow("255 255") << 255 << 255 << 1;
        QTest::newRow("255 254") << 255 << 254 << 2;
        QTest::newRow("255 253") << 255 << 253 << 0;
        QTest::newRow("254 255") << 254 << 255 << 0;
        QTest::newRow("0 5") << 0 << 5 << 0;
    }

    void lockStrike()
    {
        QFETCH(int, high);
        QFETCH(int, low);
        QFETCH(int, strike);
        QCOMPARE(int(meaningOf(data({0, 0, 1, 0x80, 0, high, low, 7})).lockStrike), strike);
        QVERIFY(meaningOf(data({0, 0, 1, 0x80, 0, high, low})).card);
    }

    void meaningNeedsTheSlotBytes()
    {
        try {
            meaningOf(data({0, 0, 1, 0x80, 0, 0}));
            QFAIL("read past the data bytes");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), Err::SubscriptOutOfRange);
        }
    }

    // The monitor's line writes the day as the short date of four-digit years
    // (two-digit ones read "12/11/26" and "11.12.26"), then the long time.
    void theMonitorLineHasFourDigitYears_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("dateTime");
        // clang-format off
        QTest::newRow("en_US") << "en_US" << "12/11/2026 9:05:07 AM";
        QTest::newRow("de_DE") << "de_DE" << "11.12.2026 09:05:07";
        QTest::newRow("fr_FR") << "fr_FR" << "11/12/2026 09:05:07";
        // clang-format on
    }

    void theMonitorLineHasFourDigitYears()
    {
        QFETCH(QString, locale);
        QFETCH(QString, dateTime);
        OnlineEvent event;
        event.Date_CR = QStringLiteral("2026-12-11");
        event.Time_CR = QStringLiteral("09:05:07");
        event.Employee_Number = 12;
        QLocale::setDefault(QLocale(locale));
        const QString shown = BuildEventLine(event, QStringLiteral("Smith  Ann")).dateTime;
        QLocale::setDefault(QLocale::c());
        QCOMPARE(shown, dateTime);
    }
};

QTEST_GUILESS_MAIN(DecodingTest)
#include "tst_decoding.moc"
