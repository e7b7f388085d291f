#include "core/PasswordChange.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/text/VbText.h"

#include <QBuffer>

void ShowPasswordError(int code)
{
    guarded(209, [code] {
        QString text;
        switch (code) {
        case 1: text = Translate(QStringLiteral("Illegal current password!")); break;
        case 2: text = Translate(QStringLiteral("New password equals current!")); break;
        case 3: text = Translate(QStringLiteral("Empty password is not allowed!")); break;
        case 4:
            text = Translate(QStringLiteral("New password can't be accepted:")) + QLatin1Char('\r') +
                   Translate(QStringLiteral("Please choose another password."));
            break;
        case 5: text = Translate(QStringLiteral("Confirmation and new password differ: re-enter new password!")); break;
        case 6: text = Translate(QStringLiteral("Admin password Empty Secure password Must Be Empty Too!")); break;
        case 7: text = Translate(QStringLiteral("Admin not Empty, Secure password Can not be Empty!")); break;
        default: return;
        }
        ShowWarning(text);
    });
}

int ValidatePasswordChange(const QString& current, const QString& newPassword, const QString& confirmed,
                           const QString& levelKey)
{
    int code = PasswordCode::Ok;
    guarded(207, [&] {
        const AppState& s = appState();
        const QString fresh = VbText::trim(newPassword);
        if (VbText::trim(current) != VbText::trim(s.SessionPassword))
            code = PasswordCode::IllegalCurrent;
        else if (levelKey == AdminLevelKey && fresh.isEmpty() && !VbText::trim(s.GuardPassword).isEmpty())
            code = PasswordCode::AdminGuardEmptiness;
        else if (levelKey == GuardLevelKey && VbText::trim(s.AdminPassword).isEmpty() && !fresh.isEmpty())
            code = PasswordCode::AdminGuardEmptiness;
        else if (fresh != VbText::trim(confirmed))
            code = PasswordCode::ConfirmationDiffers;
    });
    ShowPasswordError(code);
    return code;
}

bool CheckPasswordUnique(const PasswordRecord& code, uint8_t position, QIODevice& file)
{
    bool unique = true;
    guarded(211, [&] {
        PasswordRecord empty{};
        ScramblePassword(QString(), empty);
        if (code == empty)
            return;
        QList<uint8_t> others;
        if (!appState().PasswordFromButtons)
            others = {17};
        else if (position == 1)
            others = {17};
        else
            others = {33, 1};
        for (uint8_t other : others) {
            if (ComparePasswordRecord(code, other, file))
                unique = false;
        }
    });
    return unique;
}

int SavePassword(const QString& levelKey, const QString& newPassword)
{
    int result = PasswordCode::NotWritten;
    guarded(208, [&] {
        AppState& s = appState();
        QByteArray bytes = ReadPasswordFile(s.PasswordFilePath);
        QBuffer file(&bytes);
        file.open(QIODevice::ReadWrite);
        const uint8_t position = GetRecordPosition(levelKey);
        if (position == 0) {
            result = PasswordCode::IllegalCurrent;
            ShowPasswordError(result);
            return;
        }
        PasswordRecord code{};
        ScramblePassword(newPassword, code);
        if (!CheckPasswordUnique(code, position, file)) {
            result = PasswordCode::NotUnique;
            ShowPasswordError(result);
            return;
        }
        if (!WritePasswordRecord(code, position, file))
            return;
        // The whole file goes beside the old one and replaces it, never patched in place.
        WritePasswordFile(s.PasswordFilePath, bytes);
        const QString plain = UnscramblePassword(code);
        if (position == 1)
            s.AdminPassword = plain;
        else if (position == 17)
            s.GuardPassword = plain;
        else
            s.EngineerPassword = plain;
        s.SessionPassword = VbText::trim(newPassword);
        result = PasswordCode::Ok;
    });
    return result;
}
