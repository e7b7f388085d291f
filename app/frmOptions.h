#pragma once

#include "platform/forms/Form.h"

class QLabel;
class QPushButton;
class QTabWidget;

// Tools > Options: the communication settings (behind an Engineer login), the
// language, the passwords and the database maintenance.
class frmOptions : public Form {
    Q_OBJECT
public:
    frmOptions();

    void cmdSetup_Click(int index);

    QTabWidget* SSTab1;
    QPushButton* cmdSetup[4];
    QLabel* lblMsg[4];
    QPushButton* cmdSetupCancel;

protected:
    void Form_Load() override;

private:
    void openCommunicationSettings();
};
