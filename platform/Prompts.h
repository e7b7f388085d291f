#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Kinds and answers of the program's message boxes.
namespace MsgBox {
inline constexpr int KindWarning = 0;
inline constexpr int KindNotice = 2;
inline constexpr int KindQuestion = 3;

inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;

// The buttons the caller asks for, in the low bits. A question offers Yes, No
// and Cancel for YesNoCancel, else Yes and No; any other box offers Ok.
inline constexpr int ButtonsMask = 7;
inline constexpr int OkCancel = 1;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
// Added to the buttons: the information picture.
inline constexpr int Information = 64;
}

// Every modal question the program puts to the user goes through here, so that
// tests can answer in advance and nothing ever blocks on a dialog.
class Prompts {
public:
    virtual ~Prompts() = default;

    // Returns the button pressed (MsgBox::Ok, Yes, No, Cancel).
    virtual int messageBox(const QString& text, const QString& title, int kind, int buttons) = 0;

    // Returns the chosen index into `languages`, or nothing when cancelled.
    virtual std::optional<int> chooseLanguage(const QString& title, const QStringList& languages, int current) = 0;
};

Prompts& prompts();
// Installs the boxes in use (not owned): the windows' own at start-up, a test's
// recording ones. nullptr restores the plain ones, which only log.
void setPrompts(Prompts* replacement);
