#include "platform/files/SaveFileDialogs.h"

#include "platform/Log.h"
#include "platform/Seam.h"
#include "platform/printing/PrintDialogs.h"

namespace {

// Without windows no file can be chosen: taken as a cancel.
class NoSaveFileDialogs final : public SaveFileDialogs {
public:
    std::optional<QString> chooseSaveFile(const Request&) override
    {
        qCWarning(lcGt430) << "No save dialog without windows";
        return std::nullopt;
    }
};

}

SaveFileDialogs& saveFileDialogs()
{
    return Seam<SaveFileDialogs, NoSaveFileDialogs>::get();
}

void setSaveFileDialogs(SaveFileDialogs* replacement)
{
    Seam<SaveFileDialogs, NoSaveFileDialogs>::install(replacement);
}

QString ShowSaveFile(const SaveFileDialogs::Request& request)
{
    const std::optional<QString> path = saveFileDialogs().chooseSaveFile(request);
    if (!path || path->isEmpty())
        raiseError(Err::CancelError, QStringLiteral("Cancel was selected."));
    return *path;
}

QString ShowSaveReportFile()
{
    return ShowSaveFile({QStringLiteral("Text files (*.TXT);;All files (*.*)"), QStringLiteral("TXT"),
                         SaveDialogOverwritePrompt, QString()});
}
