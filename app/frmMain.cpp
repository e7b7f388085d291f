#include "app/frmMain.h"

#include "app/frmOptions.h"
#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/LoginRules.h"
#include "core/MainDatabase.h"
#include "core/Messages.h"
#include "core/ProgramFiles.h"
#include "core/frmAboutGT430.h"
#include "core/frmSplash.h"
#include "employees/DoorSettings.h"
#include "employees/frmEmployees.h"
#include "employees/frmProgramming.h"
#include "link/PortFailureText.h"
#include "link/SerialLink.h"
#include "link/frmOnline.h"
#include "platform/BackgroundTask.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFolder.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/Placement.h"
#include "platform/forms/ToolbarButtons.h"
#include "platform/help/HelpService.h"
#include "platform/serial/CommPortFactory.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"
#include "platform/widgets/HelpKey.h"
#include "reports/framework/frmEmpReport.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const char* const toolbarCaptions[7] = {nullptr, "On Line", "Employees", "Programming", "Reports", "Help", "Exit"};
const char* const toolbarPictures[7] = {nullptr,
                                        ":/pictures/online.svg",
                                        ":/pictures/employees.svg",
                                        ":/pictures/programming.svg",
                                        ":/pictures/reports.svg",
                                        ":/pictures/help.svg",
                                        ":/pictures/exit.svg"};
// The letter after & opens the menu or takes the item with Alt; each language
// has its own letters.
const char* const viewCaptions[6] = {"&On Line", "&Employees", "&Programming", "&Reports", nullptr, "E&xit"};
const char* const helpCaptions[6] = {"&Contents", "&Index", nullptr, "&Technical Support", nullptr, "&About GT-430..."};

}

void ProvideMainWindow()
{
    setMainWindowProvider({[]() -> MainWindowService* { return FormInstance<frmMain>::find(); },
                           []() -> MainWindowService& { return FormInstance<frmMain>::get(); }});
}

frmMain::frmMain() : AccessComm(std::make_unique<SerialLink>(createCommPort()))
{
    AccessComm->setFollower([this] { followPort(); });
    setWindowTitle(QStringLiteral("Access Control  GT-430"));
    ReceiveTimer = new FormTimer(
        200, [this] { ReceiveTimer_Timer(); }, this);

    menuBar = new QMenuBar(this);
    mnuShowInfo = menuBar->addMenu(QStringLiteral("&View"));
    for (int i = 0; i < 6; ++i) {
        if (!viewCaptions[i]) {
            ShowInfo[i] = mnuShowInfo->addSeparator();
            continue;
        }
        ShowInfo[i] = mnuShowInfo->addAction(QString::fromLatin1(viewCaptions[i]));
        connect(ShowInfo[i], &QAction::triggered, this, [this, i] { ShowInfo_Click(i); });
    }
    mnuSetInfo = menuBar->addMenu(QStringLiteral("&Tools"));
    mnuOpt = mnuSetInfo->addAction(QStringLiteral("&Options..."));
    connect(mnuOpt, &QAction::triggered, this, [this] { mnuOpt_Click(); });
    mnuHelpInfo = menuBar->addMenu(QStringLiteral("&Help"));
    for (int i = 0; i < 6; ++i) {
        if (!helpCaptions[i]) {
            HelpInfo[i] = mnuHelpInfo->addSeparator();
            continue;
        }
        HelpInfo[i] = mnuHelpInfo->addAction(QString::fromLatin1(helpCaptions[i]));
        connect(HelpInfo[i], &QAction::triggered, this, [this, i] { ShowHelpTopic(i); });
    }

    Toolbar1 = makeToolbar(this, ToolbarButton,
                           {{toolbarCaptions[1], nullptr, toolbarPictures[1]},
                            {toolbarCaptions[2], nullptr, toolbarPictures[2]},
                            {toolbarCaptions[3], nullptr, toolbarPictures[3]},
                            {toolbarCaptions[4], nullptr, toolbarPictures[4]},
                            {toolbarCaptions[5], nullptr, toolbarPictures[5]},
                            {toolbarCaptions[6], nullptr, toolbarPictures[6]}},
                           [this](int b) { Toolbar1_ButtonClick(b); });
    // F10 opens the first menu, as on every desktop.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        if (mnuShowInfo->menuAction()->isEnabled())
            menuBar->setActiveAction(mnuShowInfo->menuAction());
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(Toolbar1);
    layout->addStretch(1);

    // On Line and Programming need the port; they come on when it opens.
    setLinkCommandsEnabled(false);
}

frmMain::~frmMain() = default;

void frmMain::repaintToolbar()
{
    Toolbar1->setVisible(true);
    Toolbar1->update();
}

SerialLinkControl& frmMain::serialLink()
{
    return *AccessComm;
}

void frmMain::followPort()
{
    // Windows that show the door stay open while the port is away: it shows as not known.
    const bool open = AccessComm->isOpen();
    setLinkCommandsEnabled(open);
    ReceiveTimer->setEnabled(open);
    // A port that was not there at the start (an adapter not ready yet) opens
    // later: the start's steps that wait for it come then.
    if (open && !m_portStepsDone) {
        m_portStepsDone = true;
        guarded(9, [] { loadWhatNeedsThePort(); });
    }
}

void frmMain::loadWhatNeedsThePort()
{
    AppState& s = appState();
    CreatePicturesFolder();
    // Hours of 0 are no default here: the one held stays.
    if (const auto doors = DoorSettings::readRow(Db())) {
        if (const auto start = doors->defaultStart())
            s.DefaultStartTime = *start;
        const FieldValue& hours = doors->hours[0];
        if (!hours.isNull() && hours.toInt16() != 0)
            s.DefaultWorkHours = hours.toInt16();
    }
}

void frmMain::setLinkCommandsEnabled(bool enabled)
{
    for (int i : {0, 2})
        ShowInfo[i]->setEnabled(enabled);
    for (int b : {1, 3})
        ToolbarButton[b]->setEnabled(enabled);
}

void frmMain::Form_Load()
{
    guarded(9, [this] {
        AppState& s = appState();
        BinaryDictionary& dict = BinaryDict();
        dict.setDictionaryFile(AddBackslash(ProgramFolder::path()) + QStringLiteral("GT430.mld"));
        dict.setLanguage(s.LanguageIndex);
        FormTranslator(dict).TranslateForm(this);
        // The whole screen less its panels, the frame on the screen too.
        fillScreen(this);
        ApplyGuardLogin();
        if (s.rsEmployees.isOpen() && s.rsEmployees.recordCount() > 0) {
            s.rsEmployees.moveLast();
            s.rsEmployees.moveFirst();
        }
        // The Pictures folder and the default hours follow once the port is open.
        OpenComm();
    });
}

void frmMain::ApplyGuardLogin()
{
    guarded(99, [this] {
        if (!IsGuardLogin())
            return;
        for (QMenu* menu : {mnuShowInfo, mnuSetInfo, mnuHelpInfo})
            menu->menuAction()->setEnabled(false);
        GuardOnly = true;
        if (SplashLoaded())
            FormInstance<frmSplash>::unload();
    });
}

void frmMain::Form_Activate()
{
    guarded(4, [this] {
        if (GuardOnly) {
            frmOnline& online = FormInstance<frmOnline>::get();
            hide();
            // The guard has the monitor alone: it stands above no window.
            online.showModeless(nullptr);
        }
        FormTranslator(BinaryDict()).TranslateForm(this);
    });
}

void frmMain::OpenComm()
{
    guarded(2, [this] {
        const bool wasOpen = appState().CommOpened;
        const auto number = static_cast<int16_t>(appState().CommPortIndex + 1);
        try {
            // From now on every read is taken in on the tick it arrives, whatever
            // window is open. The stored port is tried until it opens.
            AccessComm->open(number, SerialLinkControl::IfNotOpen::KeepTrying);
            for (int i : {0, 1, 2})
                ShowInfo[i]->setEnabled(true);
        } catch (const AppError& error) {
            portOpenFailed(wasOpen, PortFailureLines(number, error, AccessComm->isWaitingForDevice()));
        }
    });
}

void frmMain::portOpenFailed(bool wasOpen, const QString& why)
{
    // Whatever kept the port shut, the link is down until the port opens.
    ShowWarning(Translate(QStringLiteral("Invalid Port! Please enter to Configuration Setting and fix it.")) + why);
    if (wasOpen)
        FormInstance<frmOnline>::unload();
}

void frmMain::ReceiveTimer_Timer()
{
    AccessComm->tick();
}

void frmMain::ShowInfo_Click(int index)
{
    guarded(14, [this, index] {
        switch (index) {
        case 0: FormInstance<frmOnline>::get().showModeless(this); break;
        case 1: FormInstance<frmEmployees>::get().showModeless(this); break;
        case 2: FormInstance<frmProgramming>::get().showModeless(this); break;
        case 3: FormInstance<frmEmpReport>::get().showModeless(this); break;
        case 5: unloadForm(); break;
        default: break;
        }
    });
}

void frmMain::Toolbar1_ButtonClick(int button)
{
    guarded(17, [this, button] {
        switch (button) {
        case 1: ShowInfo_Click(0); break;
        case 2: ShowInfo_Click(1); break;
        case 3: ShowInfo_Click(2); break;
        case 4: ShowInfo_Click(3); break;
        case 5: ShowHelpTopic(0); break;
        case 6: unloadForm(); break;
        default: break;
        }
    });
}

void frmMain::mnuOpt_Click()
{
    guarded(17, [this] { FormInstance<frmOptions>::get().showModal(this); });
}

void frmMain::ShowHelpTopic(int index)
{
    guarded(18, [this, index] {
        switch (index) {
        case 0: helpService().showContents(); break;
        case 1: helpService().showIndex(); break;
        case 3:
            HelpKey::setContext(this, HelpContext::TechnicalSupport);
            HelpKey::press(this);
            break;
        case 5: FormInstance<frmAboutGT430>::get().showModal(this); break;
        default: break;
        }
        QApplication::processEvents();
        HelpKey::setContext(this, 0);
    });
}

void frmMain::cmdLanguage()
{
    guarded(18, [this] {
        AppState& s = appState();
        BinaryDictionary& dict = BinaryDict();
        dict.setDictionaryFile(AddBackslash(ProgramFolder::path()) + QStringLiteral("GT430.mld"));
        dict.LoadDictionary();
        const int16_t remembered = dict.Language();
        if (dict.ChooseLanguage(Translate(QStringLiteral("Change Language")), s.LanguageIndex))
            dict.setLanguage(s.LanguageIndex);
        else
            s.LanguageIndex = remembered;
        FormTranslator(dict).TranslateForm(this);
        RefreshToolbar();
        // The windows on screen follow at once, the hidden ones when they are shown.
        FormRegistry::catchUpLanguage();
    });
}

void frmMain::RefreshToolbar()
{
    guarded(19, [this] {
        for (int b = 1; b <= 6; ++b)
            ToolbarButton[b]->setText(Translate(QString::fromLatin1(toolbarCaptions[b])));
        mnuShowInfo->setTitle(Translate(QStringLiteral("&View")));
        mnuSetInfo->setTitle(Translate(QStringLiteral("&Tools")));
        mnuOpt->setText(Translate(QStringLiteral("&Options...")));
        mnuHelpInfo->setTitle(Translate(QStringLiteral("&Help")));
        for (int i : {0, 1, 2, 3, 5})
            ShowInfo[i]->setText(Translate(QString::fromLatin1(viewCaptions[i])));
        for (int i : {0, 1, 3})
            HelpInfo[i]->setText(Translate(QString::fromLatin1(helpCaptions[i])));
        HelpInfo[5]->setText(Translate(QStringLiteral("&About GT-430")));
    });
}

void frmMain::Form_Unload()
{
    EndAsExit();
}

void frmMain::EndAsExit()
{
    guarded(10, [this] {
        // Work beside the window (a report's fill) is asked to stop and ends
        // first: it may hold the database the settings are written to.
        BackgroundTask::waitForAll();
        SaveIniSettings();
        CloseThePort();
        // What waits for the database goes in before it closes, or into the journal.
        CloseMainDatabase();
    });
    endProgram();
}

void frmMain::CloseThePort()
{
    // What the port's reader has taken is framed and kept first: nothing it took is dropped.
    if (AccessComm->isOpen())
        AccessComm->tick();
    AccessComm->close();
}
