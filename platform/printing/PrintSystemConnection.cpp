#include "platform/printing/PrintSystemConnection.h"

#include <QByteArray>
#include <cerrno>
#include <cstring>
#include <cups/cups.h>

PrintSystemConnection::PrintSystemConnection()
{
    const auto bound = PrintSystem::answerBound();
    // Made without connecting, so that a failed connection still tells why.
    m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr);
    if (!m_http) {
        m_connected = PrintSystem::State::NotRunning;
        return;
    }
    httpSetTimeout(m_http, std::chrono::duration<double>(bound).count(), &PrintSystemConnection::giveUp, this);
    if (httpReconnect2(m_http, static_cast<int>(bound.count()), nullptr) == 0)
        return;
    const int error = httpError(m_http);
    httpClose(m_http);
    m_http = nullptr;
    switch (error) {
    // Every address refused at once (libcups says "host down"): nothing listens there.
    case EHOSTDOWN:
    case ECONNREFUSED:
    case ENOENT: m_connected = PrintSystem::State::NotRunning; break;
    case 0:
    case ETIMEDOUT: m_connected = PrintSystem::State::NoAnswer; break;
    default:
        m_connected = PrintSystem::State::Failed;
        m_connectFailure = QString::fromLocal8Bit(std::strerror(error));
        break;
    }
}

PrintSystemConnection::~PrintSystemConnection()
{
    if (m_http)
        httpClose(m_http);
}

PrintSystem::State PrintSystemConnection::state() const
{
    return m_gaveUp ? PrintSystem::State::NoAnswer : m_connected;
}

QString PrintSystemConnection::failure() const
{
    switch (state()) {
    case PrintSystem::State::NotRunning: return PrintSystem::notRunningText();
    case PrintSystem::State::NoAnswer: return PrintSystem::noAnswerText();
    case PrintSystem::State::Failed: return m_connectFailure;
    case PrintSystem::State::Answered: break;
    }
    if (m_unanswered && m_http && httpError(m_http) != 0)
        return QString::fromLocal8Bit(std::strerror(httpError(m_http)));
    const char* text = cupsLastErrorString();
    return text && *text ? QString::fromUtf8(text) : PrintSystem::noAnswerText();
}

int PrintSystemConnection::createJob(const QByteArray& queue, const QByteArray& title, int optionCount,
                                     cups_option_t* options)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queue.constData());
    ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    if (!title.isEmpty())
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.constData());
    cupsEncodeOptions2(request, optionCount, options, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request, optionCount, options, IPP_TAG_JOB);
    ipp_t* response = cupsDoRequest(m_http, request, ("/printers/" + queue).constData());
    m_unanswered = response == nullptr;
    int job = 0;
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        if (ipp_attribute_t* id = ippFindAttribute(response, "job-id", IPP_TAG_INTEGER))
            job = ippGetInteger(id, 0);
    ippDelete(response);
    return job;
}

bool PrintSystemConnection::finishDocument(const QByteArray& queue)
{
    ipp_t* response = cupsGetResponse(m_http, ("/printers/" + queue).constData());
    m_unanswered = response == nullptr;
    const bool taken = response && !m_gaveUp && ippGetStatusCode(response) <= IPP_STATUS_OK_EVENTS_COMPLETE;
    ippDelete(response);
    return taken;
}

int PrintSystemConnection::giveUp(http_t*, void* self)
{
    static_cast<PrintSystemConnection*>(self)->m_gaveUp = true;
    return 0;
}
