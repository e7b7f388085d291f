#pragma once

#include "platform/forms/Form.h"

class QPushButton;
class QTabWidget;

// Chooses whose password to change: Administrator, Guard or Engineer.
class frmPasswords : public Form {
    Q_OBJECT
public:
    frmPasswords();

    // Index 0 is the Guard's button; any other index the Administrator's.
    void cmdPass_Click(int index);
    void ChangePassword_Click();

    QTabWidget* SSTab2;
    QPushButton* cmdPass[2];
    QPushButton* ChangePassword;
    QPushButton* cmdExit;

protected:
    void Form_Load() override;
};
