#pragma once

#include "platform/forms/Form.h"

// Window "Employees"; it gains its contents with the part of the program it belongs to.
class frmEmployees : public Form {
    Q_OBJECT
public:
    frmEmployees();

protected:
    void Form_Unload() override;
};
