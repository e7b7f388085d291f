#include "platform/db/Database.h"
#include "platform/widgets/WidgetSaveFileDialogs.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QtTest>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const Schema logSchema = {SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS log (n INTEGER)"))};

// Whether another process finds the program's lock on the database's shared
// memory (SQLite's byte 128 of GT430.mdb-shm, held by every connection while
// it is open): locks are per process, so the look is from a process of its own.
bool theProgramHoldsItsLock(const QString& path)
{
    const QByteArray shm = QFile::encodeName(path + QStringLiteral("-shm"));
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(shm.constData(), O_RDONLY);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = 128;
        lock.l_len = 1;
        const bool held = fd >= 0 && ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
        ::_exit(held ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}

// The save dialog over the program folder, where the database and its own
// files lie, in its own event loop.
class SaveDialogTest : public QObject {
    Q_OBJECT

private slots:
    // Listing the folder opens none of the database's files: a close of one
    // would drop the program's locks on it, and a reader that comes along
    // (another program, the report tool) would then keep the program from writing.
    void listingTheProgramFolderKeepsTheDatabaseGuarded()
    {
        TestEnvironment env;
        const QString path = env.file(QStringLiteral("GT430.mdb"));
        Database::create(path, logSchema);
        auto program = Database::open(path, {});
        program->execute(QStringLiteral("INSERT INTO log (n) VALUES (1)"));
        QVERIFY(theProgramHoldsItsLock(path));
        const QString before = QDir::currentPath();
        QDir::setCurrent(env.folder());
        bool listed = false;
        QTimer look;
        look.setInterval(50);
        connect(&look, &QTimer::timeout, &look, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            // Long enough for the lister to have gone through every file.
            QTimer::singleShot(1500, dialog, [&listed, dialog] {
                listed = true;
                dialog->reject();
            });
            look.stop();
        });
        look.start();
        WidgetSaveFileDialogs dialogs;
        SaveFileDialogs::Request request;
        request.filter = QStringLiteral("Text files (*.TXT);;All files (*.*)");
        request.selectedFilter = QStringLiteral("All files (*.*)");
        QVERIFY(!dialogs.chooseSaveFile(request));
        QDir::setCurrent(before);
        QVERIFY(listed);

        QVERIFY(theProgramHoldsItsLock(path));
    }
};

QTEST_MAIN(SaveDialogTest)
#include "tst_savedialog.moc"
