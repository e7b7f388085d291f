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
        case 6:
            if (VbText::trim(s.SessionPassword) == VbText::trim(s.AdminPassword))
                return AdministratorAnswer::Confirmed;
            ++s.LoginFailures;
            ShowWarning(Translate(QStringLiteral("Incorrect Administrator Password!")));
            if (s.LoginFailures % 7 == 0)
                endProgram();
            break;
        case 2:
            return AdministratorAnswer::Cancelled;
        case 0:
            return AdministratorAnswer::Closed;
        default:
            return AdministratorAnswer::Confirmed;
        }
    }
}
