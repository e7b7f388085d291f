#include "core/Messages.h"

#include "core/AppState.h"
#include "core/HeldReports.h"
#include "platform/Prompts.h"
#include "platform/translation/BinaryDictionary.h"

#include <QCoreApplication>
#include <QThread>

QString Translate(const QString& text)
{
    return BinaryDict().Translate(text);
}

int TranslatedMsgBox(const QString& text, const QString& title, int kind, int buttons)
{
    AppState& s = appState();
    s.MsgText = text;
    s.MsgResult = BinaryDict().TranslatedMsgBox(text, title, kind, buttons);
    return s.MsgResult;
}

void ShowWarning(const QString& text)
{
    TranslatedMsgBox(text, Translate(QStringLiteral("Warning")), MsgBox::KindWarning, MsgBox::YesNo);
}

void ShowInputWarning(const QString& text)
{
    TranslatedMsgBox(text, Translate(QStringLiteral("Warning")), MsgBox::KindWarning, MsgBox::OkCancel);
}

void ShowNotice(const QString& text)
{
    TranslatedMsgBox(text, QStringLiteral("GT-430"), MsgBox::KindNotice, MsgBox::YesNo);
}

namespace {

// A question has no title of its own: it shows the program's name.
int ask(const QString& text)
{
    return TranslatedMsgBox(text, QStringLiteral("GT-430"), MsgBox::KindQuestion,
                            MsgBox::YesNoCancel + MsgBox::Information);
}

}

bool AskYes(const QString& text)
{
    return ask(text) == MsgBox::Yes;
}

SaveAnswer AskToSave(const QString& text)
{
    switch (ask(text)) {
    case MsgBox::Yes: return SaveAnswer::Save;
    case MsgBox::Cancel: return SaveAnswer::Stay;
    default: return SaveAnswer::Discard;
    }
}

void enterProcedure(int16_t procId)
{
    // The running procedure is the window thread's; work beside it names its
    // procedure in its own reports.
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        appState().ProcId = procId;
}

void ReportError(int16_t procId, const AppError& error, const QString& furtherLine)
{
    QString text = QStringLiteral("Funcion error#: ") + QString::number(procId) + QLatin1Char('\r') +
                   error.description() + QLatin1Char('(') + QString::number(error.number()) + QLatin1Char(')');
    if (!furtherLine.isEmpty())
        text += QLatin1Char('\r') + furtherLine;
    DeliverReport(text);
}
