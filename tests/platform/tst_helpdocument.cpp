#include "platform/AppError.h"
#include "platform/help/HelpDocument.h"
#include "tests/support/HelpFixture.h"

#include <QTemporaryDir>
#include <QtTest>

class HelpDocumentTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    HelpDocument m_document;

    QString page(const QString& name) const { return QDir(m_document.folder()).filePath(name + ".html"); }

    static QStringList labels(const QList<HelpIndexEntry>& entries)
    {
        QStringList out;
        for (const HelpIndexEntry& entry : entries)
            out << entry.label;
        return out;
    }

private slots:
    void initTestCase()
    {
        HelpFixture::write(m_dir.path());
        m_document = HelpDocument::load(m_dir.path());
    }

    void topicsOpenByContextNumber_data()
    {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("page");
        QTest::newRow("0 is the contents") << 0 << "contents";
        QTest::newRow("9") << 9 << "passwords";
        QTest::newRow("1020") << 1020 << "support";
        QTest::newRow("second number of a page") << 1021 << "support";
        QTest::newRow("unknown") << 20 << "contents";
        QTest::newRow("negative") << -9 << "contents";
    }

    void topicsOpenByContextNumber()
    {
        QFETCH(int, context);
        QFETCH(QString, page);
        QCOMPARE(m_document.pageForContext(context), this->page(page));
    }

    void topicsOpenByName_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("page");
        // clang-format off
        QTest::newRow("window") << "frmOnline" << "frmOnline";
        QTest::newRow("concept") << "passwords" << "passwords";
        QTest::newRow("contents") << "contents" << "contents";
        QTest::newRow("window without a page") << "frmNoSuchWindow" << "contents";
        QTest::newRow("case matters") << "FRMONLINE" << "contents";
        QTest::newRow("none") << "" << "contents";
        // clang-format on
    }

    void topicsOpenByName()
    {
        QFETCH(QString, topic);
        QFETCH(QString, page);
        QCOMPARE(m_document.pageForTopic(topic), this->page(page));
    }

    void pagesTellTheirTitle()
    {
        QCOMPARE(m_document.topics().size(), 5);
        QCOMPARE(m_document.topic("frmPrpComms")->title, QStringLiteral("Communication Setup & port"));
        QCOMPARE(m_document.topic("frmPrpComms")->keywords, QStringList({"serial port", "door status"}));
        QCOMPARE(m_document.topic("support")->contexts, QList<int>({1020, 1021}));
    }

    void theIndexListsEveryKeywordInOrder()
    {
        QCOMPARE(labels(m_document.index()), QStringList({
                                                 "Administrator",
                                                 "contents",
                                                 "door status – On-line monitor",
                                                 "door status – Communication Setup & port",
                                                 "levels",
                                                 "on-line monitor",
                                                 "passwords",
                                                 "serial port",
                                                 "support",
                                                 "Tamper",
                                             }));
        const QList<HelpIndexEntry> door = m_document.index("door status");
        QCOMPARE(door.size(), 2);
        QCOMPARE(door[0].topic, QStringLiteral("frmOnline"));
        QCOMPARE(door[1].topic, QStringLiteral("frmPrpComms"));
    }

    void theFilterNarrowsTheIndex_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("any case") << "TAMP" << QStringList{"Tamper"};
        QTest::newRow("inside a keyword") << "port" << QStringList{"serial port", "support"};
        QTest::newRow("blanks around") << "  support " << QStringList{"support"};
        QTest::newRow("shared keyword") << "door"
                                        << QStringList{"door status – On-line monitor",
                                                       "door status – Communication Setup & port"};
        QTest::newRow("titles are not searched") << "Communication" << QStringList{};
        QTest::newRow("nothing matches") << "xyz" << QStringList{};
    }

    void theFilterNarrowsTheIndex()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, kept);
        QCOMPARE(labels(m_document.index(filter)), kept);
    }

    void germanKeywordsSortAsGerman()
    {
        QTemporaryDir dir;
        HelpFixture::writePage(dir.path(), "contents",
                               "<title>Inhalt</title><meta name=\"keywords\" content=\"Zutritt; Ärger; Abend; über\">");
        const HelpDocument german = HelpDocument::load(dir.path(), HelpDocument::localeFor(1));
        QCOMPARE(labels(german.index()), QStringList({"Abend", "Ärger", "über", "Zutritt"}));
    }

    void aMissingDocumentIsFileNotFound_data()
    {
        QTest::addColumn<bool>("folderExists");
        QTest::newRow("empty folder") << true;
        QTest::newRow("no folder") << false;
    }

    void aMissingDocumentIsFileNotFound()
    {
        QFETCH(bool, folderExists);
        QTemporaryDir dir;
        const QString folder = folderExists ? dir.path() : dir.filePath("help");
        if (folderExists) // pages without their contents are no document
            HelpFixture::writePage(folder, "frmOnline", "<title>On-line monitor</title>");
        try {
            HelpDocument::load(folder);
            QFAIL("no failure");
        } catch (const AppError& error) {
            QCOMPARE(error.number(), Err::FileNotFound);
            QVERIFY2(error.description().contains(QDir(folder).filePath("contents.html")),
                     qPrintable(error.description()));
        }
    }

    void theLanguageChoosesTheDocument_data()
    {
        QTest::addColumn<bool>("withGerman");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("folder");
        QTest::newRow("English") << true << 0 << "help";
        QTest::newRow("German") << true << 1 << "help/de";
        QTest::newRow("German missing") << false << 1 << "help";
        QTest::newRow("a language without help") << true << 2 << "help";
    }

    void theLanguageChoosesTheDocument()
    {
        QFETCH(bool, withGerman);
        QFETCH(int, language);
        QFETCH(QString, folder);
        QTemporaryDir program;
        HelpFixture::write(program.filePath("help"));
        if (withGerman)
            HelpFixture::write(program.filePath("help/de"), " (de)");
        else
            QDir().mkpath(program.filePath("help/de")); // an empty folder is no document
        QCOMPARE(QDir::cleanPath(HelpDocument::folderFor(program.path(), language)),
                 QDir::cleanPath(program.filePath(folder)));
    }
};

QTEST_GUILESS_MAIN(HelpDocumentTest)
#include "tst_helpdocument.moc"
