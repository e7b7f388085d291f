#include "platform/widgets/WidgetSaveFileDialogs.h"

#include "platform/widgets/UnopenedFileIcons.h"

#include <QApplication>
#include <QFileDialog>

std::optional<QString> WidgetSaveFileDialogs::chooseSaveFile(const Request& request)
{
    // Outlives the dialog, whose lister asks it from a thread of its own.
    UnopenedFileIcons icons;
    QFileDialog dialog(QApplication::activeWindow());
    // Qt's own dialog, which opens no file it lists (a desktop's may, to tell its kind).
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    if (!request.selectedFilter.isEmpty())
        dialog.selectNameFilter(request.selectedFilter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // "*.TXT" finds report.txt as well.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (request.flags & SaveDialogOverwritePrompt) == 0);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
