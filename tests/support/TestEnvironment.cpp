#include "tests/support/TestEnvironment.h"

#include "app/JoinSubsystems.h"
#include "app/ProgramSchema.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "core/frmPrint.h"
#include "link/LinkState.h"
#include "link/ReceiveLog.h"
#include "platform/BusyPointer.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFolder.h"
#include "platform/files/SaveFileDialogs.h"
#include "platform/help/HelpService.h"
#include "platform/translation/BinaryDictionary.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <atomic>

int RecordingPrompts::messageBox(const QString& text, const QString& title, int kind, int buttons)
{
    boxes << Box{text, title, kind, buttons};
    if (!answers.isEmpty())
        return answers.dequeue();
    return kind == MsgBox::KindQuestion ? MsgBox::No : MsgBox::Ok;
}

QStringList RecordingPrompts::texts() const
{
    QStringList all;
    for (const Box& box : boxes)
        all << box.text;
    return all;
}

std::optional<int> RecordingPrompts::chooseLanguage(const QString& title, const QStringList&, int)
{
    languageTitles << title;
    if (!languageChoices.isEmpty())
        return languageChoices.dequeue();
    return std::nullopt;
}

void FakeClock::waitUntil(const QDateTime& until)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        waitBesideTheWindow(*app, until);
        return;
    }
    ++waits;
    // A nested loop as the program's own: timers, posted events and deferred
    // deletions run inside the wait. The time comes at once, and the loop ends
    // after what was queued before it.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [this, &loop, until] {
        if (duringWait)
            std::exchange(duringWait, {})();
        if (until > current)
            current = until;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
}

// Work beside the window waits while the window's thread goes on: that thread
// has its turn of the wait, and the time comes once it has had it. A window's
// thread that waits for the work itself (the end of the program) never comes
// to it: then the time comes all the same.
void FakeClock::waitBesideTheWindow(QCoreApplication& app, const QDateTime& until)
{
    enum { Pending, Taken, Dropped };
    struct Turn {
        std::atomic<int> state{Pending};
        QSemaphore done;
    };
    auto turn = std::make_shared<Turn>();
    QMetaObject::invokeMethod(
        &app,
        [this, until, turn] {
            int pending = Pending;
            if (!turn->state.compare_exchange_strong(pending, Taken))
                return;
            waitUntil(until);
            turn->done.release();
        },
        Qt::QueuedConnection);
    if (turn->done.tryAcquire(1, 2000))
        return;
    int pending = Pending;
    if (turn->state.compare_exchange_strong(pending, Dropped)) {
        if (until > current)
            current = until;
        return;
    }
    turn->done.acquire();
}

TestEnvironment::TestEnvironment()
{
    JoinSubsystems();
    resetAppState();
    linkState() = LinkState{};
    receiveLog().reset();
    BinaryDict() = BinaryDictionary{};
    BinaryDict().setLanguage(0);
    ProgramFolder::setPathForTests(m_dir.path());
    setPrompts(&prompts);
    setPrintDialogs(&printDialogs);
    setSaveFileDialogs(&saveDialogs);
    setProgramClock(&clock);
    setHelpService(&help);
    m_printNotice = std::make_unique<WindowPrintNotice>();
    setPrintNotice(m_printNotice.get());
    setProgramEndHandlerForTests([](int status) { throw ProgramEnded{status}; });
}

TestEnvironment::~TestEnvironment()
{
    resetAppState();
    linkState() = LinkState{};
    receiveLog().reset();
    BinaryDict() = BinaryDictionary{};
    BinaryDict().setLanguage(0);
    setProgramEndHandlerForTests(nullptr);
    setPrintNotice(nullptr);
    setHelpService(nullptr);
    setProgramClock(nullptr);
    setPrintNoticeWatcherForTests(nullptr);
    showNormalPointer();
    setPrintDialogs(nullptr);
    setSaveFileDialogs(nullptr);
    setPrompts(nullptr);
    ProgramFolder::setPathForTests({});
}

QString TestEnvironment::createDatabase() const
{
    const QString path = file(DatabaseFileName);
    CreateProgramDatabase(path);
    return path;
}

void TestEnvironment::useGerman()
{
    BinaryDict().setDictionaryFile(QStringLiteral(GT430_BUILT_DICTIONARY));
    BinaryDict().LoadDictionary();
    BinaryDict().setLanguage(1);
}

QString TestEnvironment::openNewDatabase() const
{
    const QString path = createDatabase();
    OpenMainDatabase();
    return path;
}
