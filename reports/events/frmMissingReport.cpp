#include "reports/events/frmMissingReport.h"

#include "platform/Prompts.h"
#include "platform/files/SaveFileDialogs.h"
#include "reports/events/MissingReport.h"

#include <QLabel>

frmMissingReport::frmMissingReport()
    : frmReportWindow(std::make_unique<MissingReport>(), {951, 953, 954, 955, 956, 967}, MsgBox::YesNo)
{
    setWindowTitle(QStringLiteral("Absence Report"));
    lblMatchLines->setVisible(false);
}

// As every report's, it asks before an existing file is replaced.
QString frmMissingReport::chooseSaveFile()
{
    return ShowSaveFile({QStringLiteral("All Files (*.*);;Text Files (*.txt);;Batch Files (*.bat)"), QString(),
                         SaveDialogOverwritePrompt, QStringLiteral("Text Files (*.txt)")});
}
