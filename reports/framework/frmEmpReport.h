#pragma once

#include "platform/forms/Form.h"

// Window "Reports"; it gains its contents with the part of the program it belongs to.
class frmEmpReport : public Form {
    Q_OBJECT
public:
    frmEmpReport();

protected:
    void Form_Unload() override;
};
