#pragma once

#include "platform/forms/Form.h"

#include <optional>

class FieldCommits;
class FormTimer;
class PictureBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class TimeBox;
struct DoorSettingsBoxes;

// "Programming": the door settings row (door name, company name, the start
// time and working hours of Monday to Thursday, Friday, Saturday and Sunday),
// the yearly holidays, and the door's status live. Every close stores the row.
class frmProgramming : public Form {
    Q_OBJECT
public:
    static constexpr int Periods = 4;

    frmProgramming();
    ~frmProgramming() override;

    // Shows the "Working Days" page and gives `field` (txtTime[0] or cmbHours[0]) the focus.
    void FocusWorkingDaysField(QWidget* field);

    // False when a box was refused (it then has the focus) or the row could not be stored.
    bool SaveDoorSettings();
    void ShowDoorStatus();
    void DoorsTimer_Timer();
    void cmdReset_Click();
    void cmdNew_Click();
    void cmdDelete_Click();
    void cmdClose_Click();
    void lvwHolidays_ColumnClick(int column);
    void FillHolidayList();
    // What leaving a box does; false when the value was refused.
    bool txtTime_LostFocus(int index);
    bool cmbHours_LostFocus(int index);

    QTabWidget* SSTab1;
    QWidget* tabDoor;
    QWidget* tabWorkingDays;
    QWidget* tabHolidays;
    QLineEdit* txtDoor;
    QLineEdit* txtCompany;
    QLabel* lblStatus;
    PictureBox* ImageDoor;
    TimeBox* txtTime[Periods];
    QComboBox* cmbHours[Periods];
    QPushButton* cmdReset;
    QTreeWidget* lvwHolidays;
    QPushButton* cmdNew;
    QPushButton* cmdDelete;
    QPushButton* cmdClose;
    FormTimer* DoorsTimer;

protected:
    void Form_Load() override;
    bool Form_QueryUnload(int mode) override;
    void Form_Unload() override;

private:
    DoorSettingsBoxes boxes() const;
    void showBoxes(const DoorSettingsBoxes& b);
    // Refuses the close when a box holds what cannot be stored.
    bool boxesAccepted();
    void InitHolidayColumns();
    void SizeHolidayColumns();

    FieldCommits* m_commits;
    bool m_loaded = false;
    int m_shownMode = -1;
    Qt::SortOrder m_holidayOrder = Qt::AscendingOrder;
};
