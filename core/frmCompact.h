#pragma once

#include "platform/forms/Form.h"

class PictureBox;
class QGroupBox;
class QLabel;
class QPushButton;

// Database maintenance: compacting the file and cutting down the raw logs.
class frmCompact : public Form {
    Q_OBJECT
public:
    frmCompact();

    void cmdCompact_Click();
    void cmdCut_Click();

    QGroupBox* frCompact;
    QPushButton* cmdCompact;
    QLabel* lblCompact;
    QGroupBox* frCleaningOn;
    QPushButton* cmdCut;
    QLabel* lblCut;
    QPushButton* cmdClose;
    PictureBox* Image1;
    PictureBox* Image2;

protected:
    void Form_Load() override;
};
