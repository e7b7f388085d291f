#include "platform/help/HelpDocument.h"
#include "platform/help/HelpService.h"
#include "platform/help/HelpTopics.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

// The help document the build ships beside the program, in both languages.
class HelpContentTest : public QObject {
    Q_OBJECT

    static QString folder(const QString& language)
    {
        return language == QLatin1String("de") ? QStringLiteral(GT430_BUILT_HELP "/de")
                                               : QStringLiteral(GT430_BUILT_HELP);
    }

    static void addLanguages()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "en";
        QTest::newRow("German") << "de";
    }

    static QStringList pageNames(const HelpDocument& document)
    {
        QStringList names;
        for (const HelpTopic& topic : document.topics())
            names << topic.id;
        return names;
    }

private slots:
    void everyWindowHasItsPage_data() { addLanguages(); }
    void everyWindowHasItsPage()
    {
        QFETCH(QString, language);
        const HelpDocument document = HelpDocument::load(folder(language));
        for (const QString& window : HelpTopics::windows())
            QVERIFY2(document.topic(window), qPrintable(window));
    }

    void theProgramsContextNumbersHaveTheirOwnPages_data() { addLanguages(); }
    void theProgramsContextNumbersHaveTheirOwnPages()
    {
        QFETCH(QString, language);
        const HelpDocument document = HelpDocument::load(folder(language));
        QCOMPARE(document.pageForContext(HelpContext::Contents), document.contentsPage());
        QStringList pages;
        for (int context : {HelpContext::Passwords, HelpContext::ReportDates, HelpContext::TechnicalSupport}) {
            const QString page = document.pageForContext(context);
            QVERIFY2(page != document.contentsPage(), qPrintable(QString::number(context)));
            QVERIFY(!pages.contains(page));
            pages << page;
        }
        // A number may lead to one page only.
        QList<int> seen;
        for (const HelpTopic& topic : document.topics())
            for (int context : topic.contexts) {
                QVERIFY2(!seen.contains(context), qPrintable(QString::number(context)));
                seen << context;
            }
    }

    void everyPageIsComplete_data() { addLanguages(); }
    void everyPageIsComplete()
    {
        QFETCH(QString, language);
        const HelpDocument document = HelpDocument::load(folder(language));
        static const QRegularExpression lang(QStringLiteral("<html lang=\"([a-z]+)\">"));
        static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
        for (const HelpTopic& topic : document.topics()) {
            QVERIFY2(topic.title != topic.id, qPrintable(topic.id));
            QVERIFY2(!topic.keywords.isEmpty(), qPrintable(topic.id));

            QFile file(topic.file);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const QString text = QString::fromUtf8(bytes);
            QVERIFY2(text.toUtf8() == bytes, qPrintable(topic.id + " is not UTF-8"));
            QCOMPARE(lang.match(text).captured(1), language);
            for (const auto& m : reference.globalMatch(text)) {
                const QString target = m.captured(1).section(QLatin1Char('#'), 0, 0);
                if (target.isEmpty() || target.contains(QLatin1Char(':')))
                    continue;
                QVERIFY2(QFileInfo::exists(QDir(folder(language)).filePath(target)),
                         qPrintable(topic.id + " links to " + target));
            }
        }
        QVERIFY(document.index().size() > document.topics().size());
    }

    void bothLanguagesHoldTheSamePages()
    {
        QCOMPARE(pageNames(HelpDocument::load(folder("de"))), pageNames(HelpDocument::load(folder("en"))));
    }
};

QTEST_GUILESS_MAIN(HelpContentTest)
#include "tst_helpcontent.moc"
