#pragma once

#include "platform/AppError.h"

#include <QString>
#include <optional>

// Flags of the save dialog the reports ask for: the dialog asks before an
// existing file is replaced.
inline constexpr int SaveDialogOverwritePrompt = 2;

// The save-file dialog, behind a seam so that tests answer it in advance.
class SaveFileDialogs {
public:
    struct Request {
        QString filter;        // "Text files (*.TXT);;All files (*.*)"
        QString defaultSuffix; // added when the name typed has none
        int flags = SaveDialogOverwritePrompt;
        QString selectedFilter; // the filter chosen when the dialog opens; the first when empty
    };

    virtual ~SaveFileDialogs() = default;
    // The file chosen, or nothing when the user cancelled.
    virtual std::optional<QString> chooseSaveFile(const Request& request) = 0;
};

SaveFileDialogs& saveFileDialogs();
// Installs a replacement (not owned); nullptr restores the default, which
// logs and cancels (the windows install the real dialog at start).
void setSaveFileDialogs(SaveFileDialogs* replacement);

// Shows the save dialog and returns the file chosen. Cancelling raises the
// dialog's cancel (32755), which a save takes as a quiet end.
QString ShowSaveFile(const SaveFileDialogs::Request& request);

// The save dialog of the report files: text files first, ".TXT" added.
QString ShowSaveReportFile();
