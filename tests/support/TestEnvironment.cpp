#include "tests/support/TestEnvironment.h"

#include "core/AppState.h"
#include "link/PollingUsers.h"
#include "core/frmPrint.h"
#include "core/MainDatabase.h"
#include "core/ProgramSchema.h"
#include "platform/BusyPointer.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFolder.h"
#include "platform/files/SaveFileDialogs.h"
#include "platform/help/HelpService.h"
#include "platform/translation/BinaryDictionary.h"

#include <QCoreApplication>

int RecordingPrompts::messageBox(const QString& text, const QString& title, int kind, int buttons)
{
    boxes << Box{text, title, kind, buttons};
    if (!answers.isEmpty())
        return answers.dequeue();
    return kind == MsgBox::KindQuestion ? MsgBox::No : MsgBox::Ok;
}

QStringList RecordingPrompts::texts() const
{
    QStringList list;
    for (const Box& box : boxes)
        list << box.text;
    return list;
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
    ++waits;
    if (until > current)
        current = until;
    QCoreApplication::processEvents();
}

TestEnvironment::TestEnvironment()
{
    resetAppState();
    pollingUsers() = PollingUsers();
    BinaryDict() = BinaryDictionary{};
    ProgramFolder::setPathForTests(m_dir.path());
    setPrompts(&prompts);
    setPrintDialogs(&printDialogs);
    setSaveFileDialogs(&saveDialogs);
    setProgramClock(&clock);
    setHelpService(&help);
    setProgramEndHandlerForTests([] { throw ProgramEnded{}; });
}

TestEnvironment::~TestEnvironment()
{
    resetAppState();
    BinaryDict() = BinaryDictionary{};
    setProgramEndHandlerForTests(nullptr);
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
