#include "platform/translation/MldFile.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

// Every text the sources pass to Translate must have its German entry.
class DictionaryCoverageTest : public QObject {
    Q_OBJECT

private slots:
    void everyTranslatedLiteralHasGerman()
    {
        const DictionaryContents dict = MldFile::load(QStringLiteral(GT430_BUILT_DICTIONARY));

        static const QRegularExpression call(
            QStringLiteral("Translate\\(\\s*QStringLiteral\\(\"((?:[^\"\\\\]|\\\\.)*)\"\\)\\s*\\)"));
        QStringList missing;
        for (const char* folder : {"app", "core", "link", "employees", "reports", "platform"}) {
            QDirIterator it(QStringLiteral(GT430_SOURCE_DIR "/") + QLatin1String(folder), {"*.cpp", "*.h"}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QString source = QString::fromUtf8(file.readAll());
                for (const auto& m : call.globalMatch(source)) {
                    QString text = m.captured(1);
                    text.replace(QStringLiteral("\\r"), QStringLiteral("\r"));
                    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
                    text.replace(QStringLiteral("\\\""), QStringLiteral("\""));
                    text.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
                    const bool german = dict.entries.contains(text) && !dict.entries.value(text).value(0).isEmpty();
                    if (!german && !missing.contains(text))
                        missing << text;
                }
            }
        }
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("No German for: ") + missing.join(QStringLiteral(" | "))));
    }

    // Two entries for one text would leave one of them without effect.
    void noTextHasTwoEntries()
    {
        QFile file(QStringLiteral(GT430_BUILT_DICTIONARY));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QSet<QString> seen;
        QStringList twice;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1String("LANGUAGES")))
                continue;
            const QString key = MldFile::unescape(line.section(QLatin1Char('\t'), 0, 0));
            if (seen.contains(key))
                twice << key;
            seen.insert(key);
        }
        QVERIFY2(twice.isEmpty(), qPrintable(twice.join(QStringLiteral(" | "))));
    }
};

QTEST_GUILESS_MAIN(DictionaryCoverageTest)
#include "tst_dictionarycoverage.moc"
