#pragma once

#include "platform/forms/Form.h"

// Window "Communication Setup"; it gains its contents with the part of the program it belongs to.
class frmPrpComms : public Form {
    Q_OBJECT
public:
    frmPrpComms();

protected:
    void Form_Unload() override;
};
