#pragma once

#include "platform/printing/PrintSystem.h"

#include <QString>
#include <cups/cups.h>

// A connection of the program's own to the print system, for the one thread
// that made it. Connecting, and every wait for an answer on it, ends after
// PrintSystem::answerBound() of silence; once a wait has been given up the
// connection is dead, and nothing more is asked on it.
class PrintSystemConnection {
public:
    // Connects; state() says how that went.
    PrintSystemConnection();
    ~PrintSystemConnection();
    PrintSystemConnection(const PrintSystemConnection&) = delete;
    PrintSystemConnection& operator=(const PrintSystemConnection&) = delete;

    // Null when no connection was made.
    http_t* http() const { return m_http; }
    // NoAnswer once a wait was given up.
    PrintSystem::State state() const;
    bool gaveUp() const { return m_gaveUp; }
    // Why the last request failed: the program's words when the print system
    // is not running or does not answer, else the print system's.
    QString failure() const;

    // Creates a job on `queue` for a document to be streamed; its number, or
    // 0 when the print system refused it. Asked here rather than through
    // cupsCreateJob(), which looks the queue up on a connection of its own.
    int createJob(const QByteArray& queue, const QByteArray& title, int optionCount, cups_option_t* options);
    // Ends the document streamed since cupsStartDocument(): whether the print
    // system took it. (cupsFinishDocument() takes no answer for a good one.)
    bool finishDocument(const QByteArray& queue);

private:
    static int giveUp(http_t* http, void* self);

    http_t* m_http = nullptr;
    PrintSystem::State m_connected = PrintSystem::State::Answered;
    QString m_connectFailure;
    bool m_gaveUp = false;
    // The last request of these got no answer at all: its failure is the connection's.
    bool m_unanswered = false;
};
