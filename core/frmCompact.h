#pragma once

#include "platform/forms/Form.h"

class PictureBox;
class QGroupBox;
class QLabel;
class QPushButton;

// Database maintenance: compacting the file and cutting down the raw logs,
// each beside the window's thread while the window waits for it (the
// reception and the other windows' timers go on).
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

private:
    // Keeps the user from other work of the window while compacting or cutting down.
    void setWorking(bool working);

    // A button stays off after its work succeeded, until the window opens again.
    bool m_compactAllowed = true;
    bool m_cutAllowed = true;
};
