#include "core/frmLogin.h"

#include "core/AppState.h"
#include "core/LoginRules.h"
#include "core/MainWindowService.h"
#include "core/Messages.h"
#include "core/frmSplash.h"
#include "platform/ProgramEnd.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/Twips.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QLineEdit>

frmLogin::frmLogin()
{
    resize(Twips::toPixels(4800), Twips::toPixels(DesignHeightTwips));
}

void frmLogin::Form_Load()
{
    guarded(702, [this] {
        FormTranslator(BinaryDict()).TranslateForm(this);
        Password->setMaxLength(8);
        appState().LaterLoginPassword.clear();
    });
}

void frmLogin::accept()
{
    guarded(703, [this] { CheckLogin(); });
}

void frmLogin::CheckLogin()
{
    guarded(706, [this] {
        const bool atStartup = !appState().StartupDone;
        const LoginResult result = CheckLoginPassword(Password->text(), m_loginTries);
        if (result != LoginResult::Accepted) {
            // Shown as it stands, not through the dictionary.
            ShowWarning(QStringLiteral("Illegal password!"));
            retry();
            if (result == LoginResult::RefusedEnd)
                endProgram();
            return;
        }
        if (atStartup)
            ShowMainWindow();
        unloadForm();
    });
}

void frmLogin::cancel()
{
    guarded(701, [this] {
        appState().DialogResult = PromptResult::Cancel;
        unloadForm();
    });
}

void frmLogin::Form_Unload()
{
    guarded(704, [] {
        if (SplashLoaded())
            FormInstance<frmSplash>::unload();
    });
}
