#pragma once

#include "platform/forms/Form.h"

class DateField;
class QLineEdit;
class QPushButton;
class QTabWidget;

// "Holidays": adds one yearly holiday, a day and month with its name.
class frmHoliday : public Form {
    Q_OBJECT
public:
    frmHoliday();

    void cmdSave_Click();
    void Quit_Click();

    QTabWidget* SSTab1;
    DateField* dtpHoliday;
    QLineEdit* txtHolliday;
    QPushButton* cmdSave;
    QPushButton* Quit;

protected:
    void Form_Load() override;
};
