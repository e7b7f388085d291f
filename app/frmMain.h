#pragma once

#include "core/MainWindowService.h"
#include "platform/forms/Form.h"

#include <memory>

class CommPort;
class FormTimer;
class PortReopener;
class QAction;
class QMenu;
class QMenuBar;
class QToolBar;

// The main window: menus and toolbar open every other window; it owns the
// serial port of the door unit and the 200 ms receive timer, which reads the
// port whenever it is open.
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

    CommPort& commPort() override { return *AccessComm; }
    bool guardOnly() const override { return GuardOnly; }
    void showMainWindow() override { showModeless(nullptr); }
    void repaintToolbar() override;
    void portStateChanged() override;
    void portOpenFailed() override;
    void portLost() override;

    bool GuardOnly = false;

    std::unique_ptr<CommPort> AccessComm;
    // Runs from the moment the port opens until it closes.
    FormTimer* ReceiveTimer;
    // Opens the port again after its device went away.
    std::unique_ptr<PortReopener> Reopener;
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
};

// Lets the other windows find and open this one through the main window service.
void ProvideMainWindow();
