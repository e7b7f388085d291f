#include "core/AppState.h"
#include "core/PasswordFile.h"
#include "platform/ProgramFolder.h"
#include "platform/text/Windows1252.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray recordBytes(const QString& password)
{
    PasswordRecord code{};
    ScramblePassword(password, code);
    QByteArray bytes;
    for (int16_t c : code) {
        bytes.append(char(uint16_t(c) & 0xFF));
        bytes.append(char(uint16_t(c) >> 8));
    }
    return bytes;
}

}

class PasswordFileTest : public QObject {
    Q_OBJECT

private slots:
    void primesFromOne()
    {
        const int expected[] = {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29};
        for (int n = 1; n <= 11; ++n)
            QCOMPARE(int(NthPrime(uint8_t(n))), expected[n - 1]);
    }

    void scrambling_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("abc") << "abc" << QList<int>{195, 296, 498, 228, 357, 422, 551, 616};
        QTest::newRow("trimmed first") << " abc " << QList<int>{195, 296, 498, 228, 357, 422, 551, 616};
        QTest::newRow("empty") << "" << QList<int>{65, 98, 163, 228, 357, 422, 551, 616};
        QTest::newRow("largest byte") << QString(8, QChar(0xFF))
                                      << QList<int>{511, 767, 1278, 1789, 2810, 3321, 4342, 4853};
    }

    void scrambling()
    {
        QFETCH(QString, password);
        QFETCH(QList<int>, codes);
        PasswordRecord code{};
        ScramblePassword(password, code);
        QCOMPARE(QList<int>(code.begin(), code.end()), codes);
        QCOMPARE(UnscramblePassword(code), password.trimmed().leftJustified(8));
    }

    void theExampleRecordOnDisk()
    {
        QCOMPARE(recordBytes(QStringLiteral("abc")).toHex(' ').toUpper(),
                 QByteArray("C3 00 28 01 F2 01 E4 00 65 01 A6 01 27 02 68 02"));
    }

    void everySingleByteCharacterSurvives()
    {
        for (int b = 1; b < 256; ++b) {
            if (b == ' ')
                continue;
            const QString password = QString(Windows1252::decode(uint8_t(b))) + QStringLiteral("x");
            PasswordRecord code{};
            ScramblePassword(password, code);
            QVERIFY(IsValidPasswordRecord(code));
            QCOMPARE(UnscramblePassword(code), password.leftJustified(8));
        }
    }

    void levelKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("position");
        QTest::newRow("admin") << "VANTU" << 1;
        QTest::newRow("guard") << "LOPRI" << 17;
        QTest::newRow("engineer") << "MEDEK" << 33;
        QTest::newRow("lower case") << "vantu" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("other") << "ADMIN" << 0;
    }

    void levelKeys()
    {
        QFETCH(QString, key);
        QFETCH(int, position);
        QCOMPARE(int(GetRecordPosition(key)), position);
    }

    void aMissingFileIsCreatedWithTheDefaults()
    {
        TestEnvironment env;
        appState().PasswordFilePath = env.file(QStringLiteral("setting.dat"));
        LoadPasswords();
        QCOMPARE(appState().AdminPassword, QStringLiteral("vantu   "));
        QCOMPARE(appState().GuardPassword, QStringLiteral("lopri   "));
        QCOMPARE(appState().EngineerPassword, QStringLiteral("medek   "));
        const QByteArray bytes = readBytes(appState().PasswordFilePath);
        QCOMPARE(bytes.size(), PasswordFileSize);
        QCOMPARE(bytes.mid(16, 16), recordBytes(QStringLiteral("lopri")));
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                                          QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(appState().PasswordFilePath) & others, QFile::Permissions());
        QVERIFY(QFile::permissions(appState().PasswordFilePath) & QFile::ReadOwner);
        QVERIFY(env.prompts.boxes.isEmpty());
    }

    void anExistingFileIsReadAndNotRewritten()
    {
        TestEnvironment env;
        const QString path = env.file(QStringLiteral("setting.dat"));
        const QByteArray stored =
            recordBytes(QStringLiteral("boss")) + recordBytes(QString()) + recordBytes(QStringLiteral("tech1"));
        writeBytes(path, stored);
        appState().PasswordFilePath = path;
        LoadPasswords();
        QCOMPARE(appState().AdminPassword, QStringLiteral("boss    "));
        QCOMPARE(appState().GuardPassword, QStringLiteral("        "));
        QCOMPARE(appState().EngineerPassword, QStringLiteral("tech1   "));
        QCOMPARE(readBytes(path), stored);
    }

    void aBrokenFileEndsTheProgram_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good =
            recordBytes(QStringLiteral("a")) + recordBytes(QStringLiteral("b")) + recordBytes(QStringLiteral("c"));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one byte short") << good.left(47);
        QByteArray damaged = good;
        damaged[34] = char(0xFF); // Engineer's first code far beyond 255 * 2 + 1
        damaged[35] = char(0x7F);
        QTest::newRow("damaged record") << damaged;
        QByteArray negative = good;
        negative[0] = char(0x00);
        negative[1] = char(0x80);
        QTest::newRow("negative code") << negative;
    }

    void aBrokenFileEndsTheProgram()
    {
        QFETCH(QByteArray, bytes);
        TestEnvironment env;
        const QString path = env.file(QStringLiteral("setting.dat"));
        writeBytes(path, bytes);
        appState().PasswordFilePath = path;
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, LoadPasswords());
        QCOMPARE(env.prompts.boxes.size(), 1);
        QVERIFY(env.prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 974\r")));
        QCOMPARE(readBytes(path), bytes); // never replaced by the defaults
        QVERIFY(appState().AdminPassword.isEmpty());
    }

    // Killed or out of disk space in the middle of the first start: no part of
    // a file is left behind, so the next start lays down the defaults.
    void anInterruptedFirstStartLeavesNoPartOfAFile_data()
    {
        QTest::addColumn<int>("room");
        QTest::newRow("nothing written") << 0;
        QTest::newRow("one record") << 16;
        QTest::newRow("one and a half") << 24;
        QTest::newRow("two records") << 32;
    }

    void anInterruptedFirstStartLeavesNoPartOfAFile()
    {
        QFETCH(int, room);
        TestEnvironment env;
        appState().PasswordFilePath = env.file(QStringLiteral("setting.dat"));
        {
            FileSizeLimit full(static_cast<rlim_t>(room));
            QVERIFY_THROWS_EXCEPTION(ProgramEnded, LoadPasswords());
        }
        QCOMPARE(env.prompts.boxes.size(), 1);
        QVERIFY(env.prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 974\r")));
        QCOMPARE(QDir(env.folder()).entryList(QDir::Files), QStringList());

        LoadPasswords();
        QCOMPARE(appState().AdminPassword, QStringLiteral("vantu   "));
        QCOMPARE(readBytes(appState().PasswordFilePath).size(), PasswordFileSize);
        QCOMPARE(env.prompts.boxes.size(), 1);
    }

    void aMissingFolderIsRetriedOnceBesideTheProgram()
    {
        TestEnvironment env;
        appState().PasswordFilePath = env.file(QStringLiteral("gone/setting.dat"));
        LoadPasswords();
        QCOMPARE(appState().PasswordFilePath, env.file(QStringLiteral("setting.dat")));
        QCOMPARE(appState().AdminPassword, QStringLiteral("vantu   "));
    }

    void aProgramFolderThatIsGoneEndsTheProgramAfterOneRetry()
    {
        TestEnvironment env;
        ProgramFolder::setPathForTests(env.file(QStringLiteral("no-such-folder")));
        appState().PasswordFilePath = env.file(QStringLiteral("gone/setting.dat"));
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, LoadPasswords());
        QCOMPARE(env.prompts.boxes.size(), 1);
        QVERIFY(env.prompts.boxes.first().text.endsWith(QStringLiteral("(76)")));
    }

    void comparingRecords()
    {
        TestEnvironment env;
        QFile file(env.file(QStringLiteral("setting.dat")));
        QVERIFY(file.open(QIODevice::ReadWrite));
        WriteDefaultPasswords(file);
        PasswordRecord lopri{};
        ScramblePassword(QStringLiteral("lopri"), lopri);
        QVERIFY(ComparePasswordRecord(lopri, 17, file));
        QVERIFY(!ComparePasswordRecord(lopri, 1, file));
        PasswordRecord changed{};
        ScramblePassword(QStringLiteral("new"), changed);
        WritePasswordRecord(changed, 17, file);
        QVERIFY(ComparePasswordRecord(changed, 17, file));
        QCOMPARE(file.size(), PasswordFileSize);
    }
};

QTEST_GUILESS_MAIN(PasswordFileTest)
#include "tst_passwordfile.moc"
