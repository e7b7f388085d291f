#include "platform/printing/PrintSystem.h"

#include "platform/printing/PrintSystemConnection.h"
#include "platform/translation/BinaryDictionary.h"

#include <atomic>
#include <cups/cups.h>

namespace {

// Long enough for a busy print system to take a large job, short enough
// that nobody takes the program for hung.
constexpr std::chrono::milliseconds ProgramBound{20000};

std::atomic<std::chrono::milliseconds::rep> testBound{0};

}

namespace PrintSystem {

std::chrono::milliseconds answerBound()
{
    const auto shortened = testBound.load();
    return shortened > 0 ? std::chrono::milliseconds(shortened) : ProgramBound;
}

void setAnswerBoundForTests(std::chrono::milliseconds bound)
{
    testBound.store(bound.count());
}

QString notRunningText()
{
    return BinaryDict().Translate(QStringLiteral("The print system is not running."));
}

QString noAnswerText()
{
    return BinaryDict().Translate(QStringLiteral("The print system does not answer."));
}

Queues queues()
{
    PrintSystemConnection connection;
    Queues found;
    if (!connection.http()) {
        found.state = connection.state();
        found.failure = connection.failure();
        return found;
    }
    // The queues the daemon holds, asked for on this connection alone (cupsGetDests2()
    // would browse the network and ask again on connections of its own).
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-name");
    ipp_t* response = cupsDoRequest(connection.http(), request, "/");
    // "Not found" is the answer of a print system without queues.
    if (connection.gaveUp() ||
        (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE && cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND)) {
        ippDelete(response);
        found.state = connection.gaveUp() ? State::NoAnswer : State::Failed;
        found.failure = connection.failure();
        return found;
    }
    for (ipp_attribute_t* name = ippFindAttribute(response, "printer-name", IPP_TAG_NAME); name;
         name = ippFindNextAttribute(response, "printer-name", IPP_TAG_NAME))
        found.names << QString::fromUtf8(ippGetString(name, 0, nullptr));
    ippDelete(response);
    found.names.sort(Qt::CaseInsensitive);
    found.state = State::Answered;
    // The user's own (LPDEST, PRINTER), else the print system's.
    if (!found.names.isEmpty())
        if (const char* name = cupsGetDefault2(connection.http()); name && !connection.gaveUp())
            found.defaultName = QString::fromUtf8(name);
    return found;
}

}
