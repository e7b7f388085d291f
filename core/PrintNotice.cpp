#include "core/PrintNotice.h"

#include "platform/Log.h"
#include "platform/Seam.h"

#include <QCoreApplication>
#include <QThread>

namespace {

class LoggedPrintNotice final : public PrintNotice {
public:
    void show(const QString& text) override { qCInfo(lcGt430).noquote() << text; }
    void open(const QString&) override {}
    void setText(const QString&) override {}
    void close() override {}
};

thread_local PrintNoticeFromThisThread* t_sink = nullptr;

bool onWindowThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

}

PrintNotice& printNotice()
{
    return Seam<PrintNotice, LoggedPrintNotice>::get();
}

void setPrintNotice(PrintNotice* replacement)
{
    Seam<PrintNotice, LoggedPrintNotice>::install(replacement);
}

void ShowPrintNotice(const QString& text)
{
    if (t_sink)
        t_sink->m_last = text;
    else if (onWindowThread())
        printNotice().show(text);
    else
        qCInfo(lcGt430).noquote() << text;
}

void UpdatePrintNotice(const QString& text)
{
    // Only a printout composed beside the window has a notice standing.
    if (t_sink)
        t_sink->m_update(text);
}

PrintNoticeFromThisThread::PrintNoticeFromThisThread(std::function<void(const QString&)> update)
    : m_update(std::move(update)), m_before(t_sink)
{
    t_sink = this;
}

PrintNoticeFromThisThread::~PrintNoticeFromThisThread()
{
    t_sink = m_before;
}
