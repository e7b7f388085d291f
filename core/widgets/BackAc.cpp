#include "core/widgets/BackAc.h"

#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/LoginRules.h"
#include "core/MainDatabase.h"
#include "core/Messages.h"
#include "platform/ProgramEnd.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

BackAc::BackAc()
{
    Accept->setText(QStringLiteral("Ok"));
    cmdEnd = new QPushButton(QStringLiteral("Exit GT-430"), this);
    m_buttons->addWidget(cmdEnd);
    connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
}

void BackAc::Form_Load()
{
    guarded(104, [this] {
        FormTranslator(BinaryDict()).TranslateForm(this);
        Password->setMaxLength(8);
    });
}

void BackAc::accept()
{
    guarded(101, [this] {
        const LoginResult result = CheckAdminPassword(Password->text());
        if (result == LoginResult::Accepted) {
            unloadForm();
            return;
        }
        ShowWarning(Translate(QStringLiteral("Illegal password!")));
        retry();
        if (result == LoginResult::RefusedEnd)
            endProgram();
    });
}

void BackAc::cancel()
{
    guarded(102, [this] {
        appState().DialogResult = PromptResult::Cancel;
        unloadForm();
    });
}

void BackAc::cmdEnd_Click()
{
    guarded(103, [] {
        AppState& s = appState();
        s.DialogResult = PromptResult::Exit;
        SaveIniSettings();
        CloseMainDatabase();
        endProgram();
    });
}

bool BackAc::Form_QueryUnload(int mode)
{
    if (mode == CloseBox)
        appState().DialogResult = PromptResult::Cancel;
    return true;
}
