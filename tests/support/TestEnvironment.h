#pragma once

#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "tests/support/RecordingHelp.h"
#include "tests/support/RecordingPrintDialogs.h"
#include "tests/support/RecordingSaveFileDialogs.h"

#include <QDateTime>
#include <QList>
#include <QQueue>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class QCoreApplication;
class WindowPrintNotice;

// Thrown where the program would end, with the status it would end with.
struct ProgramEnded {
    int status = 0;
};

// Answers boxes and dialogs from a queue and keeps what was shown.
class RecordingPrompts final : public Prompts {
public:
    struct Box {
        QString text;
        QString title;
        int kind;
        int buttons;
    };

    int messageBox(const QString& text, const QString& title, int kind, int buttons) override;
    std::optional<int> chooseLanguage(const QString& title, const QStringList& languages, int current) override;

    // Answers to the next boxes; unanswered boxes get OK (or No to a question).
    QQueue<int> answers;
    QQueue<std::optional<int>> languageChoices;

    QList<Box> boxes;
    // The texts of the boxes shown, in order.
    QStringList texts() const;
    QStringList languageTitles;
};

// The fake clock's time: the test sets it, and the serial port's reader
// thread reads it as the program's.
class SharedTime {
public:
    explicit SharedTime(const QDateTime& time) : m_time(time) {}
    SharedTime& operator=(const QDateTime& time)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_time = time;
        return *this;
    }
    operator QDateTime() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_time;
    }
    QDateTime addMSecs(qint64 ms) const { return QDateTime(*this).addMSecs(ms); }
    QDateTime addSecs(qint64 s) const { return QDateTime(*this).addSecs(s); }
    QDateTime addDays(qint64 days) const { return QDateTime(*this).addDays(days); }
    QDate date() const { return QDateTime(*this).date(); }
    QTime time() const { return QDateTime(*this).time(); }

private:
    mutable std::mutex m_mutex;
    QDateTime m_time;
};

// Time stands still until the program waits; a wait runs a nested event loop,
// as the program's clock does, and moves the time on at once. A wait of work
// beside the window's thread lets that thread have its turn of the wait.
class FakeClock final : public Clock {
public:
    QDateTime now() const override { return current; }
    void waitUntil(const QDateTime& until) override;

    SharedTime current{QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0, 250))};
    // The waits, counted on the window's thread.
    int waits = 0;
    // Run once, on the window's thread, inside the next wait.
    std::function<void()> duringWait;

private:
    void waitBesideTheWindow(QCoreApplication& app, const QDateTime& until);
};

// One test's world: a temporary program folder, answered prompts, printer and
// save dialogs, a fake clock, a help that only records, the printing notice's
// own window, an end of program that throws, the subsystems joined and fresh
// program state.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    QString folder() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    // A fresh "GT430.mdb" in the program folder.
    QString createDatabase() const;
    // The same, opened as the program's database (Db()).
    QString openNewDatabase() const;
    // The program's own dictionary in use, in German.
    static void useGerman();

    RecordingPrompts prompts;
    RecordingPrintDialogs printDialogs;
    RecordingSaveFileDialogs saveDialogs;
    FakeClock clock;
    RecordingHelp help;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<WindowPrintNotice> m_printNotice;
};
