#include "platform/widgets/WindowHelpService.h"

#include "platform/AppError.h"
#include "platform/ProgramFolder.h"
#include "platform/Prompts.h"
#include "platform/forms/Placement.h"
#include "platform/help/HelpDocument.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/HelpWindow.h"

#include <QApplication>
#include <QDir>
#include <QWindow>

namespace {

void warn(const QString& text, const QString& detail)
{
    const BinaryDictionary& dict = BinaryDict();
    dict.TranslatedMsgBox(text + QLatin1Char('\r') + detail, dict.Translate(QStringLiteral("Warning")),
                          MsgBox::KindWarning, MsgBox::YesNo);
}

}

WindowHelpService::~WindowHelpService()
{
    // Widgets can only go while the application still stands.
    if (m_window && QCoreApplication::instance())
        delete m_window.data();
}

HelpWindow* WindowHelpService::open()
{
    const int language = BinaryDict().Language();
    const QString folder = HelpDocument::folderFor(ProgramFolder::path(), language);
    HelpDocument document;
    try {
        document = HelpDocument::load(folder, HelpDocument::localeFor(language));
    } catch (const AppError& error) {
        const BinaryDictionary& dict = BinaryDict();
        if (error.number() == Err::FileNotFound)
            warn(dict.Translate(QStringLiteral("The help cannot be shown because this file is missing:")),
                 QDir(folder).filePath(QStringLiteral("contents.html")));
        else
            warn(dict.Translate(QStringLiteral("The help cannot be shown:")), error.description());
        return nullptr;
    }

    if (!m_window) {
        m_window = new HelpWindow;
        // The window has no owner; it goes when the program ends.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, m_window, [w = m_window] { delete w; });
    }
    m_window->setDocument(std::move(document));

    // Over a modal dialog the help must still take input: it becomes that
    // dialog's own window for as long as the dialog lives.
    m_window->winId();
    QWidget* modal = QApplication::activeModalWidget();
    if (QWindow* handle = m_window->windowHandle()) {
        QWindow* over = modal && modal != m_window ? modal->windowHandle() : nullptr;
        if (handle->transientParent() != over)
            handle->setTransientParent(over);
    }

    // A help not on the screen opens over the window it was asked from.
    if (!m_window->isVisible())
        centreOver(m_window, modal ? modal : QApplication::activeWindow());
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return m_window;
}

template <class Show>
void WindowHelpService::present(Show&& show)
{
    const bool fresh = !m_window || !m_window->isVisible();
    HelpWindow* w = open();
    if (!w)
        return;
    show(*w);
    if (fresh)
        w->forgetHistory();
}

void WindowHelpService::showContents()
{
    present([](HelpWindow& w) { w.showPage(w.document().contentsPage()); });
}

void WindowHelpService::showIndex()
{
    present([](HelpWindow& w) {
        w.showIndexPage();
        w.focusIndex();
    });
}

void WindowHelpService::showContext(int context)
{
    present([context](HelpWindow& w) { w.showPage(w.document().pageForContext(context)); });
}

void WindowHelpService::showTopic(const QString& topic)
{
    present([&topic](HelpWindow& w) { w.showPage(w.document().pageForTopic(topic)); });
}
