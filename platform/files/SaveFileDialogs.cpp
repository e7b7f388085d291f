#include "platform/files/SaveFileDialogs.h"

#include "platform/Seam.h"
#include "platform/files/WidgetSaveFileDialogs.h"
#include "platform/printing/PrintDialogs.h"

SaveFileDialogs& saveFileDialogs()
{
    return Seam<SaveFileDialogs, WidgetSaveFileDialogs>::get();
}

void setSaveFileDialogs(SaveFileDialogs* replacement)
{
    Seam<SaveFileDialogs, WidgetSaveFileDialogs>::install(replacement);
}

QString ShowSaveReportFile()
{
    const SaveFileDialogs::Request request{QStringLiteral("Text files (*.TXT);;All files (*.*)"), QStringLiteral("TXT"),
                                           SaveDialogOverwritePrompt};
    const std::optional<QString> path = saveFileDialogs().chooseSaveFile(request);
    if (!path || path->isEmpty())
        raiseError(Err::CancelError, QStringLiteral("Cancel was selected."));
    return *path;
}
