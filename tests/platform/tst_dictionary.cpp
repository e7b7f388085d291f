#include "platform/AppError.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/translation/MldFile.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>
#include <QtTest>

namespace {

const char* sample = "# comment\n"
                     "\n"
                     "LANGUAGES\tEnglish\tDeutsch\tFrançais\n"
                     "Close\tSchließen\tFermer\n"
                     "Pc Software Version \tPC-Software-Version \t\n"
                     "Line\\rbreak\tZeilen\\rumbruch\n"
                     "Back\\\\slash\tRück\\\\strich\tbarre\n";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}

class DictionaryTest : public QObject {
    Q_OBJECT

private slots:
    void translatesByLanguageColumn_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("English is the key") << 0 << "Close" << "Close";
        QTest::newRow("German") << 1 << "Close" << "Schließen";
        QTest::newRow("French") << 2 << "Close" << "Fermer";
        QTest::newRow("no column") << 3 << "Close" << "Close";
        QTest::newRow("negative index") << -1 << "Close" << "Close";
        QTest::newRow("unknown text") << 1 << "Nothing like it" << "Nothing like it";
        QTest::newRow("trailing blank kept") << 1 << "Pc Software Version " << "PC-Software-Version ";
        QTest::newRow("empty column falls back") << 2 << "Pc Software Version " << "Pc Software Version ";
        QTest::newRow("padded caption") << 1 << "   Close   " << "   Schließen   ";
        QTest::newRow("escaped return") << 1 << "Line\rbreak" << "Zeilen\rumbruch";
        QTest::newRow("escaped backslash") << 1 << "Back\\slash" << "Rück\\strich";
        QTest::newRow("missing column") << 2 << "Line\rbreak" << "Line\rbreak";
        // clang-format on
    }

    void translatesByLanguageColumn()
    {
        QFETCH(int, language);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        BinaryDictionary dict;
        dict.setContents(MldFile::parse(QString::fromUtf8(sample)));
        dict.setLanguage(static_cast<int16_t>(language));
        QCOMPARE(dict.Translate(key), expected);
    }

    void languagesComeFromTheHeader()
    {
        BinaryDictionary dict;
        dict.setContents(MldFile::parse(QString::fromUtf8(sample)));
        QCOMPARE(dict.languages(), (QStringList{"English", "Deutsch", "Français"}));
    }

    void escapesAreRead()
    {
        QCOMPARE(MldFile::unescape(QStringLiteral("a\\tb\\nc\\rd\\\\e\\\\n")), QStringLiteral("a\tb\nc\rd\\e\\n"));
    }

    void badFilesAreRefused()
    {
        TestEnvironment env;
        BinaryDictionary dict;
        dict.setDictionaryFile(env.file(QStringLiteral("GT430.mld")));
        try {
            dict.LoadDictionary();
            QFAIL("a missing file loaded");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), Err::FileNotFound);
        }
        writeFile(dict.dictionaryFile(), "Close\tSchließen\n");
        QVERIFY_THROWS_EXCEPTION(AppError, dict.LoadDictionary());
        // Without a dictionary every text is shown as it is; the log says why.
        dict.setLanguage(1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^The dictionary cannot be read")));
        QCOMPARE(dict.Translate(QStringLiteral("Close")), QStringLiteral("Close"));
    }

    void aChangedFileIsReadAtTheNextTranslation()
    {
        TestEnvironment env;
        const QString a = env.file(QStringLiteral("a.mld"));
        const QString b = env.file(QStringLiteral("b.mld"));
        writeFile(a, "LANGUAGES\tEnglish\tDeutsch\nClose\tA\n");
        writeFile(b, "LANGUAGES\tEnglish\tDeutsch\nClose\tB\n");
        BinaryDictionary dict;
        dict.setLanguage(1);
        dict.setDictionaryFile(a);
        QCOMPARE(dict.Translate(QStringLiteral("Close")), QStringLiteral("A"));
        dict.setDictionaryFile(b);
        QCOMPARE(dict.Translate(QStringLiteral("Close")), QStringLiteral("B"));
    }

    void chooseLanguageReportsTheChoice()
    {
        TestEnvironment env;
        BinaryDictionary dict;
        dict.setContents(MldFile::parse(QString::fromUtf8(sample)));
        int16_t index = 0;
        env.prompts.languageChoices.enqueue(std::nullopt);
        QVERIFY(!dict.ChooseLanguage(QStringLiteral("Change Language"), index));
        QCOMPARE(index, int16_t(0));
        env.prompts.languageChoices.enqueue(2);
        QVERIFY(dict.ChooseLanguage(QStringLiteral("Change Language"), index));
        QCOMPARE(index, int16_t(2));
    }

    void theShippedDictionaryLoads()
    {
        BinaryDictionary dict;
        dict.setDictionaryFile(QStringLiteral(GT430_BUILT_DICTIONARY));
        dict.LoadDictionary();
        QCOMPARE(dict.languages(), (QStringList{"English", "Deutsch"}));
        dict.setLanguage(1);
        QCOMPARE(dict.Translate(QStringLiteral("Warning")), QStringLiteral("Warnung"));
    }
};

QTEST_GUILESS_MAIN(DictionaryTest)
#include "tst_dictionary.moc"
