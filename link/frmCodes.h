#pragma once

#include "link/CodeReadHandOver.h"
#include "platform/forms/Form.h"

#include <memory>
#include <optional>

class FormTimer;
class QLabel;
class QPushButton;

// Waits for the next code read at the unit and hands it to the employee
// editor, unless an employee already holds that code.
class frmCodes : public Form {
    Q_OBJECT
public:
    frmCodes();
    ~frmCodes() override;

    void ReadTimer_Timer();
    bool CheckCode();

    QLabel* lblReadCard;
    QPushButton* cmdClose;
    FormTimer* ReadTimer;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    std::unique_ptr<CodeReadSubscription> m_reads;
};
