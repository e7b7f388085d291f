#pragma once

#include <QString>
#include <QStringList>
#include <chrono>

// The print system (CUPS) as the program reaches it: from a thread beside the
// window's, never from the window's own, and never waiting on it for long.
// Every request ends by itself: a print system silent for longer than the
// answer bound is given up, so no thread waits on it forever (the end of the
// program waits for every such thread).
namespace PrintSystem {

// How long the print system may stay silent before it is given up: 20 s.
std::chrono::milliseconds answerBound();
// Tests shorten it; zero restores the program's own.
void setAnswerBoundForTests(std::chrono::milliseconds bound);

// The program's words for a print system it cannot print through, translated.
QString notRunningText(); // "The print system is not running."
QString noAnswerText();   // "The print system does not answer."

enum class State {
    Answered,
    NotRunning, // no daemon: the connection was refused, or it has no socket
    NoAnswer,   // silent for longer than the answer bound
    Failed,     // any other failure, with the system's reason
};

struct Queues {
    State state = State::NotRunning;
    QStringList names;
    QString defaultName; // empty when the print system has no default
    QString failure;     // why there are none, unless it answered
};

// The queues a printout can be sent to. Off the window's thread only.
Queues queues();

}
