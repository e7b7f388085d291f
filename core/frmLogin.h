#pragma once

#include "core/widgets/PasswordPrompt.h"

#include <cstdint>

// The login: at start-up (Administrator or Guard) and later over the options
// (any level).
class frmLogin : public PasswordPrompt {
    Q_OBJECT
public:
    static constexpr double DesignHeightTwips = 2100;

    frmLogin();

    void CheckLogin();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void accept() override;
    void cancel() override;

private:
    uint8_t m_loginTries = 0;
};
