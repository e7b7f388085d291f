#include "core/OneCopyPerFolder.h"
#include "platform/FolderLock.h"
#include "tests/support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QtTest>

namespace {

// The folder's files with their sizes and times: what a program wrote there shows.
QStringList contents(const QString& folder)
{
    QStringList files;
    for (const QFileInfo& f :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name))
        files << QStringLiteral("%1 %2 %3").arg(f.fileName()).arg(f.size()).arg(f.lastModified().toMSecsSinceEpoch());
    return files;
}

}

// A second copy started in a program folder leaves it to the first.
class OneCopyPerFolderTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->createDatabase();
    }
    void cleanup() { env.reset(); }

    void aSecondCopyIsToldAndWritesNothing()
    {
        FolderLock first;
        QVERIFY(first.take(env->folder()));
        const QStringList before = contents(env->folder());
        QVERIFY(!TakeProgramFolder());
        QCOMPARE(env->prompts.texts(),
                 QStringList{QStringLiteral("GT-430 is already running in this folder:\r") + env->folder()});
        QCOMPARE(contents(env->folder()), before);
        // Once the first has ended, the folder is free.
        first.release();
        QVERIFY(TakeProgramFolder());
        FolderLock later;
        QVERIFY(!later.take(env->folder()));
    }

    // The report tool works on a folder the program is running in.
    void theReportToolIsNotHeldUp()
    {
        FolderLock program;
        QVERIFY(program.take(env->folder()));
        QProcess tool;
        tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/gt430-report"),
                   {env->folder(), QStringLiteral("--kind"), QStringLiteral("0"), QStringLiteral("--save"),
                    env->file(QStringLiteral("events.txt"))});
        QVERIFY(tool.waitForFinished(60000));
        // 3: the filters match nothing in a new database.
        QCOMPARE(tool.exitCode(), 3);
    }
};

QTEST_GUILESS_MAIN(OneCopyPerFolderTest)
#include "tst_onecopyperfolder.moc"
