#pragma once

#include "platform/forms/Form.h"
#include "reports/framework/ReportFilters.h"
#include "reports/framework/frmReportWindow.h"

class AnimationBox;
class QAction;
class DateField;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolBar;

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

    // The one way to a report kind's window: the launch table, which the shell
    // fills for every kind (app/forms/JoinSubsystemWindows.cpp), as the windows
    // of reports/events lie beyond this folder. A kind outside 0 to 6 has none.
    static void registerReportWindow(int kind, ReportWindowRow row);
    // The window of a report kind, created on first use; nullptr for a kind
    // without one.
    static frmReportWindow* reportWindow(int kind);

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
    using Operation = void (*ReportWindowRow::*)(frmReportWindow&);
    void launch(int16_t procId, Operation operation);
    void checkEmpLimit(QLineEdit* field);

    bool m_launching = false;
    bool m_checkingLimit = false;
    bool m_leaving = false;
};
