#pragma once

#include "platform/forms/Form.h"
#include "reports/framework/ReportFilters.h"

#include <functional>

class AnimationBox;
class QAction;
class DateField;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolBar;
class frmReportWindow;

// "Reports": the one way into the reports. The user picks a report, a range of
// employee numbers, a range of dates and a sort direction; Preview, Save and
// Print check them and hand them to the report's own window.
class frmEmpReport : public Form {
    Q_OBJECT
public:
    frmEmpReport();

    void Toolbar1_ButtonClick(int button);
    void PreviewReport();
    void SaveReport();
    void PrintReport();
    void ShowEmpReportHelp();
    void CloseEmpReport();
    bool ValidateFilters();
    void Option1_Click(int index);
    void ResetFilterControls();
    void OptSort_Click(int index);
    void cmdSelectAll_Click();
    void CheckFromEmpLimit();
    void CheckToEmpLimit();

    // The filters as they stand, for a report about to run.
    ReportFilters filters() const;

    // The window of a report kind, created on first use; nullptr for a kind
    // whose window is not built yet.
    static frmReportWindow* reportWindow(int kind);
    // How the report windows built on this framework join the launch: the shell
    // registers, for each further kind, how to get its window's one instance.
    static void registerReportWindow(int kind, std::function<frmReportWindow*()> window);

    QRadioButton* Option1[7];
    QGroupBox* Frame3;
    DateField* MaskFromDate;
    DateField* MaskToDate;
    QGroupBox* Frame5;
    QRadioButton* OptSort[2];
    QLabel* Label6;
    QLabel* Label7;
    QGroupBox* Frame2;
    QGroupBox* fraEmp;
    QLineEdit* txtFromEmp;
    QLineEdit* txtToEmp;
    QPushButton* cmdSelectAll;
    QToolBar* Toolbar1;
    QAction* ToolbarButton[6]; // buttons 1 to 5
    AnimationBox* anmAVI;

    bool AllEmployeesSelected = true;

protected:
    void Form_Load() override;
    void Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Launch { Preview, Save, Print };
    void launch(int16_t procId, Launch what);
    void checkEmpLimit(QLineEdit* field);

    bool m_launching = false;
    bool m_checkingLimit = false;
    bool m_leaving = false;
};
