#pragma once

#include "platform/forms/Form.h"

class PictureBox;
class QLabel;
class QPushButton;

// Help > About: the title, the program's version and the oldest firmware it works with.
class frmAboutGT430 : public Form {
    Q_OBJECT
public:
    frmAboutGT430();

    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    PictureBox* PicImg;
    QPushButton* cmdOK;

protected:
    void Form_Load() override;
    void Form_Unload() override;
};
