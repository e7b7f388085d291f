#pragma once

#include "platform/forms/Form.h"

#include <QVariant>
#include <functional>
#include <memory>

class EmployeeEditSession;
class FieldCommits;
class NullableDateEdit;
class PictureBox;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolBar;
class TimeBox;

// "Employee Details": the editor of the register. It works on a copy of the
// register (tblTempEmp) and writes employees back on Save and Save All. The
// list window opens it modally for a new employee or for CurEmpNo.
class frmDetails : public Form {
    Q_OBJECT
public:
    frmDetails();
    ~frmDetails() override;

    // Shows the employee CurEmpNo and opens its record for editing.
    void ShowEmployeeDetails();

    void Toolbar1_ButtonClick(int button);
    void cmdMove_Click(int index);
    // False when nothing was stored (a message said why).
    bool SaveEmployee();
    bool SaveAllEmployees();
    void UndoEmployeeChanges();
    void ShowHelp();
    void PrintEmployeeDetails();
    void CloseDetailsForm();

    void cmdCard_Click();
    void cmdDelCode_Click();
    void cmdAddPicture_Click();
    void cmdDelPicture_Click();

    // What leaving a field does; false when its rule refused the value.
    bool txtUserNum_LostFocus();
    bool txtTime_LostFocus();

    bool Dirty() const;

    QWidget* Picture1;
    QToolBar* Toolbar1;
    QAction* ToolbarButton[7]; // buttons 1 to 6
    QPushButton* cmdMove[4];
    QTabWidget* SSTab1;

    QLineEdit* txtUserNum;
    QLineEdit* txtFirstName;
    QLineEdit* txtLastName;
    QLineEdit* txtID;
    QComboBox* cmbGender;
    QComboBox* cmbStatus;
    NullableDateEdit* txtBirthDate;
    QPlainTextEdit* txtAddress;
    QLineEdit* txtPhoneNum;
    QLineEdit* txtSelPhone;
    QLineEdit* txtEmail;
    QLineEdit* txtPosition;
    NullableDateEdit* txtPositionDate;
    NullableDateEdit* txtEmployDate;
    TimeBox* txtTime;
    QComboBox* cmbHours;

    QLineEdit* txtSlotNumber;
    QCheckBox* ChkCard;
    PictureBox* Image1;
    PictureBox* imgAccess;
    QPushButton* cmdCard;
    QPushButton* cmdDelCode;
    PictureBox* EmpImage;
    QLabel* PictureID;
    QPushButton* cmdAddPicture;
    QPushButton* cmdDelPicture;

protected:
    void Form_Load() override;
    bool Form_QueryUnload(int mode) override;
    void Form_Unload() override;

private:
    void buildControls();
    void watchFields();
    // The field writes what `value` reads from it when it is left.
    void watchField(QWidget* field, int position, int16_t procId, std::function<QVariant()> value);
    void FillCombos();
    void InitNewEmployee();
    void showPicture(const QString& path);
    void showCodeKind(int kind);
    void showSlot(int16_t slot);
    void showCodeHeld(bool held);
    // Writes into the open record; nothing when no record is open.
    void write(int position, const QVariant& value);
    // The name rule: refused when a report file could not carry it.
    bool commitName(QLineEdit* box, int position, int16_t procId);
    // A date is refused when it is no date or its year cannot be meant; `caption` names the field.
    bool commitDate(NullableDateEdit* field, int position, int16_t procId, const char* caption);
    // Asks the save question when something changed; true when the window may close.
    bool confirmClose();

    std::unique_ptr<EmployeeEditSession> m_session;
    FieldCommits* m_commits;
    bool m_closing = false;
};
