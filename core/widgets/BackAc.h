#pragma once

#include "core/widgets/PasswordPrompt.h"

class QPushButton;

// The Administrator prompt shown when the communication settings are left.
class BackAc : public PasswordPrompt {
    Q_OBJECT
public:
    BackAc();

    QPushButton* cmdEnd;

    void cmdEnd_Click();

protected:
    void Form_Load() override;
    bool Form_QueryUnload(int mode) override;
    void accept() override;
    void cancel() override;
};
