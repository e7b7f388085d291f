#pragma once

#include "platform/forms/Form.h"

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QGridLayout;

// Changes one level's password: the current one, the new one and its confirmation.
class frmPassword : public Form {
    Q_OBJECT
public:
    frmPassword();

    QString PasswordLevel() const { return m_level; }
    void setPasswordLevel(const QString& level) { m_level = level; }
    void initializeLabels();

    void UpdatePassword();

    QLineEdit* CurrentPswrd;
    QLineEdit* NewPswrd;
    QLineEdit* NewConfirmed;
    QLabel* Label1[3];
    QPushButton* cmdUpdate;
    QPushButton* cmdCancel;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void hideCurrentRowWhenEmpty();

    QString m_level;
    uint8_t m_changeTries = 0;
    QGridLayout* m_rows;
};
