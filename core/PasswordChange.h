#pragma once

#include "core/PasswordFile.h"

#include <QString>

class QIODevice;

// Result codes of a password change; 0 is success.
namespace PasswordCode {
inline constexpr int Ok = 0;
inline constexpr int IllegalCurrent = 1;
inline constexpr int NotUnique = 4;
inline constexpr int ConfirmationDiffers = 5;
inline constexpr int AdminGuardEmptiness = 6;
inline constexpr int NotWritten = -1; // the file could not be written (already reported)
}

// Checks the three typed texts of a change of the level's password; shows the
// message of a refusal itself. `current` is compared with SessionPassword.
int ValidatePasswordChange(const QString& current, const QString& newPassword, const QString& confirmed,
                           const QString& levelKey);

// Shows the warning of a result code; 0 shows nothing.
void ShowPasswordError(int code);

// False when the new record equals a record it must differ from. An empty new
// password never clashes with another empty one.
bool CheckPasswordUnique(const PasswordRecord& code, uint8_t position, QIODevice& file);

// Writes the new password of the level into the password file and then into
// its global; the file is left as it was when the change is refused.
int SavePassword(const QString& levelKey, const QString& newPassword);
