#pragma once

#include "platform/forms/Form.h"

class PictureBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QHBoxLayout;

// The layout the two password dialogs share: a picture, "Enter Password", an
// eight-character masked entry and a row of buttons. Enter in the entry acts
// as the OK button.
class PasswordPrompt : public Form {
    Q_OBJECT
public:
    PasswordPrompt();

    QLabel* lblMsg;
    QLineEdit* Password;
    QPushButton* Accept;
    QPushButton* cmdCancel;
    PictureBox* Image1;

protected:
    // The OK button and Enter.
    virtual void accept() = 0;
    virtual void cancel() = 0;
    // Clears the entry and gives it the focus after a refused password.
    void retry();

    QHBoxLayout* m_buttons;
};
