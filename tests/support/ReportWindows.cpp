#include "tests/support/ReportWindows.h"

#include "employees/frmProgramming.h"
#include "platform/forms/FormRegistry.h"
#include "reports/framework/frmReportWindow.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ReportFixture.h"

#include <QRadioButton>
#include <QTableView>

std::unique_ptr<WindowTestEnvironment> reportWindowsEnvironment()
{
    auto env = std::make_unique<WindowTestEnvironment>();
    env->openNewDatabase();
    ReportFixture::addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
    return env;
}

frmEmpReport& filterFor(int kind)
{
    frmEmpReport& w = FormInstance<frmEmpReport>::get();
    w.showModeless(nullptr);
    w.Option1[kind]->setChecked(true);
    return w;
}

QStringList shownHeaders(const frmReportWindow& window)
{
    QStringList headers;
    const QAbstractItemModel* model = window.MSFlexGrid1->model();
    for (int c = 0; c < model->columnCount(); ++c)
        if (!window.MSFlexGrid1->isColumnHidden(c))
            headers << model->headerData(c, Qt::Horizontal).toString();
    return headers;
}

QStringList shownRow(const frmReportWindow& window, int row)
{
    QStringList cells;
    const QAbstractItemModel* model = window.MSFlexGrid1->model();
    for (int c = 0; c < model->columnCount(); ++c)
        if (!window.MSFlexGrid1->isColumnHidden(c))
            cells << model->index(row, c).data().toString();
    return cells;
}

void previewSaveAndPrint(frmEmpReport& filter)
{
    filter.PreviewReport();
    filter.SaveReport();
    filter.PrintReport();
}

QStringList broughtUp(const WindowTestEnvironment& env)
{
    QStringList shown = env.modalWindows;
    for (qsizetype i = 0; i < env.saveDialogs.shown.size(); ++i)
        shown << QStringLiteral("save dialog");
    for (qsizetype i = 0; i < env.printDialogs.flagsShown.size(); ++i)
        shown << QStringLiteral("print dialog");
    return shown;
}

QStringList boxHeads(const RecordingPrompts& prompts)
{
    QStringList heads;
    for (const RecordingPrompts::Box& box : prompts.boxes)
        heads << box.text.left(box.text.indexOf(QLatin1Char('\r')) + 1);
    return heads;
}

QWidget* doorSettingsFieldShown()
{
    frmProgramming* settings = FormInstance<frmProgramming>::find();
    return settings && settings->isVisible() ? settings->focusWidget() : nullptr;
}

ShownPreviewRun saveAndPrintThePreview(WindowTestEnvironment& env, frmEmpReport& filter,
                                       const std::function<void()>& meanwhile)
{
    ShownPreviewRun run;
    const QString shown = env.file(QStringLiteral("shown.txt"));
    env.modalSteps.enqueue([&](Form& form) {
        auto& window = static_cast<frmReportWindow&>(form);
        meanwhile();
        env.saveDialogs.answer(shown);
        env.printDialogs.answerRecording(run.printedOnThePreview);
        window.Toolbar1_ButtonClick(1);
        window.Toolbar1_ButtonClick(2);
        window.Toolbar1_ButtonClick(4);
    });
    filter.PreviewReport();
    run.savedOnThePreview = fileBytes(shown);
    const QString refilled = env.file(QStringLiteral("refilled.txt"));
    env.saveDialogs.answer(refilled);
    filter.SaveReport();
    run.savedFromTheFilter = fileBytes(refilled);
    return run;
}

QStringList saveThenFailTheFill(WindowTestEnvironment& env, frmEmpReport& filter,
                                const std::function<void()>& breakFill)
{
    env.saveDialogs.answer(env.file(QStringLiteral("old.txt")));
    filter.SaveReport();
    const QStringList first = env.prompts.texts();
    env.prompts.boxes.clear();
    breakFill();
    previewSaveAndPrint(filter);
    return first;
}
