#pragma once

#include "platform/forms/Form.h"

class FrameAnimation;
class QAction;
class QGroupBox;
class QToolBar;
class QTreeWidget;

// "Employee's List": every employee of the register, with whether the unit
// admits them. New and Edit open the employee editor; Delete removes the
// employee from the register; Print prints the list as it is shown.
class frmEmployees : public Form {
    Q_OBJECT
public:
    frmEmployees();

    void cmdPrint_Click();
    // Places the window 1300 twips below the top of the main window, centred on it.
    void ResizeFormControls(const QWidget& main);
    void cmdNew_Click();
    void ShowExistEmployee();

    void Toolbar1_ButtonClick(int button);
    void EditEmployee();
    void DeleteEmployee();
    void FillEmployeeList();
    void lvwEmployees_DblClick();
    void lvwEmployees_ColumnClick(int column);
    // The list goes back to the query's order at its next fill.
    void SetSortingOff();

    QToolBar* Toolbar1;
    QAction* ToolbarButton[7]; // buttons 1 to 6
    QTreeWidget* lvwEmployees;
    QGroupBox* FrameDel;
    FrameAnimation* anmAVI;

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetListColumns();
    void SizeListColumns();
    void FitListToForm();
    void CloseListForm();
    void ShowHelp();
    void endDeletion();

    Qt::SortOrder m_order = Qt::AscendingOrder;
    int m_sortColumn = -1;
};
