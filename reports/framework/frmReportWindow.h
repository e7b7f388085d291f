#pragma once

#include "platform/forms/Form.h"
#include "platform/forms/FormRegistry.h"
#include "reports/framework/Report.h"

#include <memory>

class QAction;
class PreviewGridFit;
class QLabel;
class QSqlQueryModel;
class QTableView;
class QToolBar;

// What every report window shares: a toolbar (Save, Print, Help, Close), the
// preview grid, and the three operations the report filter window calls.
//
// Preview always rebuilds the report's work table (under the filter window's
// animation) and shows the window modally; save and print rebuild it only when
// the window is not shown, so that on a shown preview they write or print
// exactly the rows on the screen. A filter that matches nothing gives "No Match
// With This Filters" and nothing else.
//
// A report window is made of its Report and the numbers its failures are
// reported with. A report that lacks a default of the door settings does not
// run (reports/framework/ReportMayRun.h): the window says so and opens the
// door settings at the field.
class frmReportWindow : public Form {
    Q_OBJECT
public:
    enum class Operation { Preview, Save, Print };

    // The numbers of the window's procedures in the common error report.
    struct ProcedureNumbers {
        int16_t preview;
        int16_t close;
        int16_t save;
        int16_t print;
        int16_t help;
        int16_t grid;
    };

    frmReportWindow(std::unique_ptr<Report> report, ProcedureNumbers numbers, int noticeButtons);
    ~frmReportWindow() override;

    // The filters of the next operation, handed over by the filter window.
    void setFilters(const ReportFilters& filters) { m_filters = filters; }
    const ReportFilters& filters() const { return m_filters; }

    void preview();
    void cmdSave_Click();
    void cmdPrintReport_Click();
    void Toolbar1_ButtonClick(int button);
    void ShowReportHelp();
    void CloseReport();

    Report& report() const { return *m_report; }

    QToolBar* Toolbar1;
    QAction* ToolbarButton[5]; // buttons 1 to 4
    QTableView* MSFlexGrid1;
    // The legend of the "(*)" mark under the grid.
    QLabel* lblMatchLines;

protected:
    void Form_Load() override;
    // The file a save writes to, chosen in the save dialog; a cancel raises
    // the dialog's cancel error.
    virtual QString chooseSaveFile();
    // The window the running operation was started from: the preview on the
    // screen, else the filter window.
    const QWidget* opener() const;

private:
    // False when the report cannot run now; the user has been told why.
    bool mayRun(Operation operation);
    // The report's fill, beside the window's thread; false when it failed
    // (and said why) or a close stopped it.
    bool fillWorkTable();
    // Writes the rows as the report's text file, beside the window's thread;
    // false when a close stopped it.
    bool writeFile(const QString& path, const ReportQuery& rows);
    void InitGrid();
    // A preview opens wide enough for its columns, within the screen.
    void widenToColumns();
    void showNotice(const QString& text);

    std::unique_ptr<Report> m_report;
    ProcedureNumbers m_numbers;
    int m_noticeButtons;
    ReportFilters m_filters;
    QSqlQueryModel* m_model;
    PreviewGridFit* m_fit;
};

// A row of the report filter window's launch table: the report window of a
// kind (its one instance, made on first use) and the three operations the
// filter window calls on it. An empty row launches nothing.
struct ReportWindowRow {
    frmReportWindow* (*window)() = nullptr;
    void (*preview)(frmReportWindow&) = nullptr;
    void (*save)(frmReportWindow&) = nullptr;
    void (*print)(frmReportWindow&) = nullptr;

    // The row of a report window: its own preview (PreviewLateReport and the
    // like), and the save and print every report window has.
    template <class Window, void (Window::*Preview)()>
    static ReportWindowRow of()
    {
        return {[]() -> frmReportWindow* { return &FormInstance<Window>::get(); },
                [](frmReportWindow& window) { (static_cast<Window&>(window).*Preview)(); },
                [](frmReportWindow& window) { window.cmdSave_Click(); },
                [](frmReportWindow& window) { window.cmdPrintReport_Click(); }};
    }
};
