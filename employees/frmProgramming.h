#pragma once

#include "platform/forms/Form.h"

// Window "Programming"; it gains its contents with the part of the program it belongs to.
class frmProgramming : public Form {
    Q_OBJECT
public:
    frmProgramming();

protected:
    void Form_Unload() override;
};
