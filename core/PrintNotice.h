#pragma once

#include <QString>
#include <functional>
#include <optional>

// The notice of a printout (" 3 Page is Printing "), behind a seam: the
// windows show it in a window of its own (frmPrint). It stands while the
// printout is composed and sent beside the window's thread, and once the
// document has gone it shows its last text for a second and closes itself.
class PrintNotice {
public:
    virtual ~PrintNotice() = default;
    // Shows `text` and returns once the notice has gone, a second later. A
    // notice standing takes the text and goes the same way.
    virtual void show(const QString& text) = 0;
    // The notice stands with `text`, keeping the user from the windows (which
    // still repaint), until show() or close(); returns at once.
    virtual void open(const QString& text) = 0;
    // A new text for the notice standing; nothing when none stands.
    virtual void setText(const QString& text) = 0;
    // The notice standing goes without a last text.
    virtual void close() = 0;
};

PrintNotice& printNotice();
// Installs the notice in use (not owned): the notice window at start-up.
// nullptr restores the plain one, which only logs.
void setPrintNotice(PrintNotice* replacement);

// Shows the notice with `text`; returns once it has gone. On a thread that
// composes a printout beside the window, the text is kept for the window's
// thread instead (PrintNoticeFromThisThread).
void ShowPrintNotice(const QString& text);
// The notice standing follows the printout composed on this thread beside
// the window; nothing elsewhere.
void UpdatePrintNotice(const QString& text);

// While it lives, the notice's texts from this thread (a printout composed
// beside the window) go to `update`, called on this thread, and the last one
// is kept for the window's thread to show once the work has ended.
class PrintNoticeFromThisThread {
public:
    explicit PrintNoticeFromThisThread(std::function<void(const QString&)> update);
    ~PrintNoticeFromThisThread();
    PrintNoticeFromThisThread(const PrintNoticeFromThisThread&) = delete;
    PrintNoticeFromThisThread& operator=(const PrintNoticeFromThisThread&) = delete;

    // The notice the printout ended with; nothing when it did not end.
    const std::optional<QString>& lastText() const { return m_last; }

private:
    friend void ShowPrintNotice(const QString& text);
    friend void UpdatePrintNotice(const QString& text);

    std::function<void(const QString&)> m_update;
    std::optional<QString> m_last;
    PrintNoticeFromThisThread* m_before;
};
