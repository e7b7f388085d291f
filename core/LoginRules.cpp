#include "core/LoginRules.h"

#include "core/AppState.h"
#include "platform/text/VbText.h"

namespace {

LoginResult refuse(bool endNow)
{
    return endNow ? LoginResult::RefusedEnd : LoginResult::Refused;
}

}

LoginResult CheckLoginPassword(const QString& typedText, uint8_t& tries)
{
    AppState& s = appState();
    s.DialogResult = PromptResult::Ok;
    const QString typed = VbText::trim(typedText);
    if (typed == VbText::trim(s.AdminPassword)) {
        if (s.StartupDone) {
            s.LaterLoginPassword = s.AdminPassword;
        } else {
            s.LoginPassword = s.AdminPassword;
            if (typed == VbText::trim(s.EngineerPassword))
                s.LaterLoginPassword = s.EngineerPassword;
        }
    } else if (typed == VbText::trim(s.GuardPassword)) {
        if (s.StartupDone)
            s.LaterLoginPassword = s.GuardPassword;
        else
            s.LoginPassword = s.GuardPassword;
    } else if (typed == VbText::trim(s.EngineerPassword) && s.StartupDone) {
        s.LaterLoginPassword = s.EngineerPassword;
    } else {
        ++s.LoginFailures;
        ++tries;
        if (s.StartupDone)
            return refuse(s.LoginFailures % 7 == 0);
        return refuse(tries % 3 == 0);
    }
    tries = 0;
    if (!s.StartupDone) {
        s.SessionPassword = s.LoginPassword;
        s.StartupDone = true;
    } else {
        s.SessionPassword = s.LaterLoginPassword;
    }
    return LoginResult::Accepted;
}

LoginResult CheckAdminPassword(const QString& typed)
{
    AppState& s = appState();
    s.DialogResult = PromptResult::Ok;
    if (VbText::trim(typed) == VbText::trim(s.AdminPassword)) {
        s.SessionPassword = s.AdminPassword;
        s.LoginFailures = 0;
        return LoginResult::Accepted;
    }
    ++s.LoginFailures;
    return refuse(s.LoginFailures % 7 == 0);
}

bool IsGuardOnlyRun()
{
    const AppState& s = appState();
    const QString guard = VbText::trim(s.GuardPassword);
    return VbText::trim(s.LoginPassword) == guard && VbText::trim(s.AdminPassword) != guard;
}

bool IsGuardLogin()
{
    const AppState& s = appState();
    return s.LoginPassword == s.GuardPassword && VbText::trim(s.AdminPassword) != VbText::trim(s.GuardPassword);
}
