#include "tests/support/WindowWalks.h"

#include "app/frmMain.h"
#include "app/frmOptions.h"
#include "core/AppState.h"
#include "core/frmLogin.h"
#include "core/frmPasswords.h"
#include "core/widgets/BackAc.h"
#include "employees/frmDetails.h"
#include "employees/frmEmployees.h"
#include "employees/frmProgramming.h"
#include "link/frmPrpComms.h"
#include "platform/forms/FormRegistry.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

std::function<void(Form&)> lookAndClose(const std::function<void(Form&)>& look)
{
    return [look](Form& form) {
        look(form);
        form.unloadForm();
    };
}

}

void WindowWalks::registersWindows(WindowTestEnvironment& env, frmMain& main, const std::function<void(Form&)>& look)
{
    main.ShowInfo_Click(1);
    env.modalSteps.enqueue([&env, look](Form& form) {
        look(form);
        auto& editor = static_cast<frmDetails&>(form);
        env.modalSteps.enqueue(lookAndClose(look));
        editor.cmdCard_Click();
        env.modalSteps.enqueue(lookAndClose(look));
        editor.cmdAddPicture_Click();
        editor.unloadForm();
    });
    FormInstance<frmEmployees>::get().cmdNew_Click();
    main.ShowInfo_Click(2);
    env.modalSteps.enqueue(lookAndClose(look));
    FormInstance<frmProgramming>::get().cmdNew_Click();
}

void WindowWalks::optionsWindows(WindowTestEnvironment& env, frmMain& main, const std::function<void(Form&)>& look)
{
    appState().EngineerPassword = QStringLiteral("e").leftJustified(8);
    env.modalSteps.enqueue([&env, look](Form& form) {
        look(form);
        auto& options = static_cast<frmOptions&>(form);
        env.modalSteps.enqueue([&env, look](Form& passwords) {
            look(passwords);
            env.modalSteps.enqueue(lookAndClose(look));
            static_cast<frmPasswords&>(passwords).cmdPass_Click(0);
            passwords.unloadForm();
        });
        options.cmdSetup_Click(2);
        env.modalSteps.enqueue(lookAndClose(look));
        options.cmdSetup_Click(3);
        env.modalSteps.enqueue([look](Form& login) {
            look(login);
            static_cast<frmLogin&>(login).Password->setText(QStringLiteral("e"));
            static_cast<frmLogin&>(login).CheckLogin();
        });
        env.modalSteps.enqueue([&env, look](Form& settings) {
            look(settings);
            env.modalSteps.enqueue([look](Form& prompt) {
                look(prompt);
                static_cast<BackAc&>(prompt).cmdCancel->click();
            });
            static_cast<frmPrpComms&>(settings).cmdExit->click();
            settings.unloadForm();
        });
        options.cmdSetup_Click(0);
        options.unloadForm();
    });
    main.mnuOpt_Click();
}
