#pragma once

#include <QString>
#include <cstdint>

// What a typed password does, apart from the dialogs that ask for it.
enum class LoginResult {
    Accepted,
    Refused,
    RefusedEnd, // refused, and one time too many: the program ends
};

// The login dialog's check: Administrator before Guard before Engineer (the
// Engineer only after start-up). `tries` counts the dialog's own refusals.
LoginResult CheckLoginPassword(const QString& typed, uint8_t& tries);

// The Administrator prompt: only the Administrator password passes.
LoginResult CheckAdminPassword(const QString& typed);

// Guard mode: the start-up login gave the Guard password, and it is not also
// the Administrator's.
bool IsGuardLogin();

// The same test on trimmed texts, as the on-line monitor makes it at load and at closing.
bool IsGuardOnlyRun();
