#pragma once

#include "platform/AppError.h"

#include <QString>
#include <cstdint>

// The program's texts and boxes, through the one dictionary.
QString Translate(const QString& text);

// Shows a box; the text is kept in MsgText and the button pressed in MsgResult.
int TranslatedMsgBox(const QString& text, const QString& title, int kind, int buttons);

// The four uses of the box.
void ShowWarning(const QString& text);      // under the translated "Warning"
void ShowInputWarning(const QString& text); // an editor's refused input
void ShowNotice(const QString& text);       // under "GT-430"
bool AskYes(const QString& text);           // a question; true only for Yes

// The answers to a question about changes not yet stored: Cancel (Esc, or the
// box's close box) keeps the window as it is, with every change.
enum class SaveAnswer { Save, Discard, Stay };
SaveAnswer AskToSave(const QString& text);

// The common error report: the procedure's own number, the failure's
// description and number, under the translated "Warning".
// A further line, when given, follows the report's own. While the link's
// work holds reports, it waits for the work to end (core/HeldReports.h).
void ReportError(int16_t procId, const AppError& error, const QString& furtherLine = {});

// Runs a procedure body under its number: a failure is reported with that
// number and the procedure ends.
template <class Body>
void guarded(int16_t procId, Body&& body);

void enterProcedure(int16_t procId);

template <class Body>
void guarded(int16_t procId, Body&& body)
{
    enterProcedure(procId);
    try {
        body();
    } catch (const AppError& error) {
        ReportError(procId, error);
    }
}
