#pragma once

#include "platform/forms/Form.h"

class QComboBox;
class QLineEdit;
class QTabWidget;

// Window "Programming"; it gains its contents with the part of the program it belongs to.
class frmProgramming : public Form {
    Q_OBJECT
public:
    frmProgramming();

    // Placeholder only: what the reports reach of the door settings until the
    // window is built. Index 0 is Monday to Thursday.
    QTabWidget* SSTab1;
    QLineEdit* txtTime[4];
    QComboBox* cmbHours[4];
    // Shows the page of the working days and gives `field` the focus.
    void FocusWorkingDaysField(QWidget* field);

protected:
    void Form_Unload() override;
};
