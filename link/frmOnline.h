#pragma once

#include "platform/forms/Form.h"

// Window "On-Line"; it gains its contents with the part of the program it belongs to.
class frmOnline : public Form {
    Q_OBJECT
public:
    frmOnline();

protected:
    void Form_Unload() override;
};
