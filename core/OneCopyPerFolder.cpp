#include "core/OneCopyPerFolder.h"

#include "core/Messages.h"
#include "platform/FolderLock.h"
#include "platform/ProgramFolder.h"

#include <QDir>

bool TakeProgramFolder()
{
    static FolderLock folder;
    if (folder.take(ProgramFolder::path()))
        return true;
    ShowWarning(Translate(QStringLiteral("GT-430 is already running in this folder:")) + QLatin1Char('\r') +
                QDir::toNativeSeparators(ProgramFolder::path()));
    return false;
}
