#pragma once

#include <QString>

// The context numbers the program opens its help with.
namespace HelpContext {
inline constexpr int Contents = 0;
inline constexpr int Passwords = 9;
inline constexpr int ReportDates = 20;
inline constexpr int TechnicalSupport = 1020;
}

// Every way of opening the help goes through here, so that tests can see what
// was asked for without a window appearing.
class HelpService {
public:
    virtual ~HelpService() = default;

    virtual void showContents() = 0;
    // The keyword index, ready for typing a keyword.
    virtual void showIndex() = 0;
    // A topic by its context number; 0 and numbers the help lacks show the contents.
    virtual void showContext(int context) = 0;
    // A topic by its name: a window's name ("frmOnline") or a page of the help.
    virtual void showTopic(const QString& topic) = 0;
};

HelpService& helpService();
// Installs the help in use (not owned): the help window at start-up, a test's
// recording one. nullptr restores the plain one, which only logs.
void setHelpService(HelpService* replacement);
