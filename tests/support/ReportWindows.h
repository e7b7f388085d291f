#pragma once

#include "platform/forms/Form.h"
#include "reports/framework/frmEmpReport.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// The world of a report window test: a new database whose register holds
// John Smith, number 7.
std::unique_ptr<WindowTestEnvironment> reportWindowsEnvironment();

// The report filter window shown, with the report kind chosen.
frmEmpReport& filterFor(int kind);

// What a report window's grid shows, its hidden columns left out: the
// headings, and the cells of one row.
QStringList shownHeaders(const frmReportWindow& window);
QStringList shownRow(const frmReportWindow& window, int row);

// Preview, Save and Print of the filter window, in that order.
void previewSaveAndPrint(frmEmpReport& filter);

// What the report operations brought up besides their boxes: each window
// shown modally by its class, then "save dialog" for each save dialog and
// "print dialog" for each printer dialog.
QStringList broughtUp(const WindowTestEnvironment& env);

// The boxes' texts up to their first line break, the break included: the
// error report's "Funcion error#: 1012\r".
QStringList boxHeads(const RecordingPrompts& prompts);

// Where a report refused for a default of the door settings sent the user:
// the field with the focus in the door settings window, or nullptr when that
// window is not shown.
QWidget* doorSettingsFieldShown();

// Previews the report chosen in `filter`; `look` sees its window while the
// preview stands, and the window is closed after.
template <class Window>
void previewAndLook(WindowTestEnvironment& env, frmEmpReport& filter, std::function<void(Window&)> look)
{
    env.modalSteps.enqueue([look = std::move(look)](Form& form) {
        auto& window = static_cast<Window&>(form);
        look(window);
        window.CloseReport();
    });
    filter.PreviewReport();
}

// What came of a save and a print on a shown preview, and of a save from the
// filter window after it.
struct ShownPreviewRun {
    QByteArray savedOnThePreview;
    PrintRecord printedOnThePreview;
    QByteArray savedFromTheFilter;
};

// Previews the report chosen in `filter`; while the preview stands,
// `meanwhile` runs (a change of the log the preview must not take), then the
// window's own toolbar saves, prints and closes it; then the filter window
// saves once more.
ShownPreviewRun saveAndPrintThePreview(WindowTestEnvironment& env, frmEmpReport& filter,
                                       const std::function<void()>& meanwhile);

// Saves the report chosen in `filter` once; then `breakFill` makes its fill
// fail, and Preview, Save and Print are pressed. Returns the texts of the
// first save's boxes; the prompts keep only the boxes that came after.
QStringList saveThenFailTheFill(WindowTestEnvironment& env, frmEmpReport& filter,
                                const std::function<void()>& breakFill);
