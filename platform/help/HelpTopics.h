#pragma once

#include <QStringList>

// Every window opens its own help topic with F1, named as the window is. The
// help document holds one page of that name for each.
namespace HelpTopics {

inline QStringList windows()
{
    return {
        QStringLiteral("frmSplash"),       QStringLiteral("frmMain"),
        QStringLiteral("frmAboutGT430"),   QStringLiteral("frmLogin"),
        QStringLiteral("BackAc"),          QStringLiteral("frmPasswords"),
        QStringLiteral("frmPassword"),     QStringLiteral("frmOptions"),
        QStringLiteral("frmPrint"),        QStringLiteral("frmCompact"),
        QStringLiteral("frmCodes"),        QStringLiteral("frmOnline"),
        QStringLiteral("frmPrpComms"),     QStringLiteral("frmEmployees"),
        QStringLiteral("frmDetails"),      QStringLiteral("frmPicture"),
        QStringLiteral("frmProgramming"),  QStringLiteral("frmHoliday"),
        QStringLiteral("frmEmpReport"),    QStringLiteral("frmWorkingHours"),
        QStringLiteral("frmLateHours"),    QStringLiteral("frmTotalHours"),
        QStringLiteral("frmOnlineReport"), QStringLiteral("frmMissingReport"),
        QStringLiteral("frmExceptReport"), QStringLiteral("frmUnautorizedReport"),
    };
}

}
