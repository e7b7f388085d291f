#pragma once

#include "core/Messages.h"
#include "platform/forms/Form.h"

class QComboBox;
class QPushButton;
class QTabWidget;

// Chooses the serial port of the door unit. Leaving it asks for the
// Administrator password unless that is empty or the Engineer's too.
class frmPrpComms : public Form {
    Q_OBJECT
public:
    frmPrpComms();

    void PortNum_Click();
    void cmdUpdate_Click();
    void cmdExit_Click();
    bool settingChanged() const { return m_settingChanged; }

    QTabWidget* SSTab1;
    QComboBox* PortNum;
    QPushButton* cmdUpdate;
    QPushButton* cmdExit;

protected:
    void Form_Load() override;
    bool Form_QueryUnload(int mode) override;
    void Form_Unload() override;

private:
    void ApplyCommPort();
    // Shows the Administrator prompt until it is answered; true when the window may close.
    bool confirmAdministrator();
    // Asks when the port choice changed and applies it on Yes; Save when nothing changed.
    SaveAnswer askToSaveChanges();

    bool m_settingChanged = false;
};
