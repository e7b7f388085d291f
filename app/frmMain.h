#pragma once

#include "core/MainWindowService.h"
#include "platform/forms/Form.h"

#include <memory>

class FormTimer;
class SerialLink;
class QAction;
class QMenu;
class QMenuBar;
class QToolBar;

// The main window: menus and toolbar open every other window; it holds the
// serial link to the door unit and the 200 ms receive timer, which reads the
// port whenever it is open, and follows the link's state.
class frmMain : public Form, public MainWindowService {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    // (Re)opens the serial port with the stored port number.
    void OpenComm();
    // The language change of the options.
    void cmdLanguage();
    // Re-translates the toolbar and menu captions.
    void RefreshToolbar();
    void ApplyGuardLogin();
    void ShowHelpTopic(int index);

    void ShowInfo_Click(int index);
    void Toolbar1_ButtonClick(int button);
    void mnuOpt_Click();
    void ReceiveTimer_Timer();
    // View > Exit, the toolbar's Exit, closing the window and the end signals
    // (app/main.cpp): the settings row is written, the port closes and the
    // database with it; what waits for the database is stored or kept in the
    // journal; then the program ends. Its failures show their boxes, unless the
    // boxes go to the log (a signal's end).
    void EndAsExit();
    // Takes in what the port's reader took, then closes the port.
    void CloseThePort();

    SerialLinkControl& serialLink() override;
    bool guardOnly() const override { return GuardOnly; }
    void showMainWindow() override { showModeless(nullptr); }
    void repaintToolbar() override;

    bool GuardOnly = false;

    // The serial port of the door unit, through its one owner.
    std::unique_ptr<SerialLink> AccessComm;
    // Runs from the moment the port opens until it closes.
    FormTimer* ReceiveTimer;
    QMenuBar* menuBar;
    QMenu* mnuShowInfo;
    QMenu* mnuSetInfo;
    QMenu* mnuHelpInfo;
    QAction* ShowInfo[6];
    QAction* mnuOpt;
    QAction* HelpInfo[6];
    QToolBar* Toolbar1;
    QAction* ToolbarButton[7]; // buttons 1 to 6

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

private:
    void setLinkCommandsEnabled(bool enabled);
    // The reception and the link's commands follow the port.
    void followPort();
    // The port did not open: the user is told (with the lines that say why);
    // the windows that need the link close when a port had been open.
    void portOpenFailed(bool wasOpen, const QString& why);
    // The steps of the start that wait for the port: the Pictures folder and
    // the default start time and hours.
    static void loadWhatNeedsThePort();

    bool m_portStepsDone = false;
};

// Lets the other windows find and open this one through the main window service.
void ProvideMainWindow();
