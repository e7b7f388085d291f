#pragma once

#include "platform/forms/Form.h"

class FormTimer;
class PictureBox;
class QLabel;

// The first window: opens the database and the settings, loads the dictionary,
// then opens the main window at once or asks for the password.
class frmSplash : public Form {
    Q_OBJECT
public:
    frmSplash();

    // Lays the window out for the current screen size.
    void ResizeFormControls();
    // One blink of the pictures (the 500 ms timer).
    void TimerStartUp_Timer();

    QLabel* lblTitle;
    QLabel* lblVer;
    QLabel* lblFootLine;
    PictureBox* Image2[3];
    PictureBox* ImgGt43W[3];
    PictureBox* ImgTolvaneLogo;
    FormTimer* TimerStartUp;

protected:
    void Form_Load() override;
    void Form_Activate() override;
    bool Form_QueryUnload(int mode) override;
    void Form_Unload() override;

private:
    bool m_blinkPhase = false;
};

// True from the start of the start-up window's load until its unload.
bool SplashLoaded();
