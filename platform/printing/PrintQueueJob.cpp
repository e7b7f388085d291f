#include "platform/printing/PrintQueueJob.h"

#include "platform/AppError.h"
#include "platform/Log.h"
#include "platform/printing/PrintSystemConnection.h"
#include "platform/translation/BinaryDictionary.h"

#include <cups/cups.h>

namespace {

// The PDF engine writes in small pieces; each request to the daemon carries many.
constexpr qsizetype SendChunk = 64 * 1024;

}

PrintQueueJob::PrintQueueJob(QString queue, QString title, Options options)
    : m_queue(std::move(queue)), m_title(std::move(title)), m_options(std::move(options))
{
}

PrintQueueJob::~PrintQueueJob()
{
    discard();
}

void PrintQueueJob::create()
{
    if (m_job)
        return;
    cups_option_t* options = nullptr;
    int count = 0;
    for (const auto& [name, value] : m_options)
        count = cupsAddOption(name.constData(), value.constData(), count, &options);
    m_connection = std::make_unique<PrintSystemConnection>();
    if (!m_connection->http()) {
        cupsFreeOptions(count, options);
        const QString reason = m_connection->failure();
        m_connection.reset();
        fail(reason);
    }
    const QByteArray queue = m_queue.toUtf8();
    const QByteArray title = m_title.toUtf8();
    m_job = m_connection->createJob(queue, title, count, options);
    cupsFreeOptions(count, options);
    if (m_job == 0) {
        const QString reason = m_connection->failure();
        discard();
        fail(reason);
    }
    if (cupsStartDocument(m_connection->http(), queue.constData(), m_job, title.constData(), CUPS_FORMAT_PDF, 1) !=
        HTTP_STATUS_CONTINUE) {
        const QString reason = m_connection->failure();
        discard();
        fail(reason);
    }
    m_sending = true;
    m_failure.clear();
    open(QIODevice::WriteOnly);
}

void PrintQueueJob::throwIfFailed() const
{
    if (!m_failure.isEmpty())
        fail(m_failure);
}

void PrintQueueJob::commit()
{
    throwIfFailed();
    if (!m_sending)
        fail(QStringLiteral("the job was not created"));
    if (!flushBuffer())
        fail(m_failure);
    m_sending = false;
    close();
    const QByteArray queue = m_queue.toUtf8();
    if (!m_connection->finishDocument(queue)) {
        const QString reason = m_connection->failure();
        discard();
        fail(reason);
    }
    qCInfo(lcGt430).noquote() << "Print job" << m_job << "on" << m_queue << "accepted";
    m_job = 0;
    m_connection.reset();
}

void PrintQueueJob::discard() noexcept
{
    if (isOpen())
        close();
    m_buffer.clear();
    // A print system that did not answer is asked nothing more: each request would wait as long again.
    if (m_job != 0 && m_connection && !m_connection->gaveUp()) {
        const QByteArray queue = m_queue.toUtf8();
        if (m_sending) {
            // Ends the request the document was streaming in, so the cancel can be asked.
            m_connection->finishDocument(queue);
            m_sending = false;
        }
        if (!m_connection->gaveUp())
            cupsCancelJob2(m_connection->http(), queue.constData(), m_job, 0);
    }
    m_sending = false;
    m_job = 0;
    m_connection.reset();
}

qint64 PrintQueueJob::readData(char*, qint64)
{
    return -1;
}

qint64 PrintQueueJob::writeData(const char* data, qint64 size)
{
    if (!m_failure.isEmpty() || !m_sending)
        return -1;
    m_buffer.append(data, static_cast<qsizetype>(size));
    if (m_buffer.size() >= SendChunk && !flushBuffer())
        return -1;
    return size;
}

bool PrintQueueJob::flushBuffer()
{
    if (m_buffer.isEmpty())
        return true;
    if (cupsWriteRequestData(m_connection->http(), m_buffer.constData(), static_cast<size_t>(m_buffer.size())) !=
        HTTP_STATUS_CONTINUE) {
        m_failure = m_connection->failure();
        return false;
    }
    m_buffer.clear();
    return true;
}

void PrintQueueJob::fail(const QString& reason) const
{
    raiseError(Err::PathFileAccess, BinaryDict()
                                        .Translate(QStringLiteral("The printer %1 did not take the job \"%2\": %3"))
                                        .arg(m_queue, m_title, reason));
}
