#include "core/widgets/AdministratorCheck.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/widgets/BackAc.h"
#include "platform/ProgramEnd.h"
#include "platform/forms/FormRegistry.h"
#include "platform/text/VbText.h"
#include "platform/translation/BinaryDictionary.h"

AdministratorAnswer AskAdministrator(const QWidget* owner)
{
    AppState& s = appState();
    for (;;) {
        BackAc& prompt = FormInstance<BackAc>::get();
        prompt.showModal(owner);
        switch (s.DialogResult) {
        case PromptResult::Ok:
            if (VbText::trim(s.SessionPassword) == VbText::trim(s.AdminPassword))
                return AdministratorAnswer::Confirmed;
            ++s.LoginFailures;
            ShowWarning(Translate(QStringLiteral("Incorrect Administrator Password!")));
            if (s.LoginFailures % 7 == 0)
                endProgram();
            break;
        case PromptResult::Cancel: return AdministratorAnswer::Cancelled;
        case PromptResult::None: return AdministratorAnswer::Closed;
        default: return AdministratorAnswer::Confirmed;
        }
    }
}
