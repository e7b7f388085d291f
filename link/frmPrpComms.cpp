#include "link/frmPrpComms.h"

#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainWindowService.h"
#include "core/Messages.h"
#include "core/SerialLinkControl.h"
#include "core/widgets/AdministratorCheck.h"
#include "link/PortFailureText.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/Twips.h"
#include "platform/serial/CommPort.h"
#include "platform/text/VbText.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmPrpComms::frmPrpComms()
{
    setWindowTitle(QStringLiteral("Communication Setup"));
    SSTab1 = new QTabWidget(this);
    auto* page = new QWidget;
    auto* frame = new QGroupBox(QStringLiteral("Serial Cable Properties"), page);
    auto* prompt = new QLabel(QStringLiteral("Select a port for serial cable communications:"), frame);
    auto* portLabel = new QLabel(QStringLiteral("&Com Port"), frame);
    PortNum = new QComboBox(frame);
    for (int n = 1; n <= 8; ++n)
        PortNum->addItem(QStringLiteral("COM %1").arg(n));
    portLabel->setBuddy(PortNum);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(prompt);
    auto* row = new QHBoxLayout;
    row->addWidget(portLabel);
    row->addWidget(PortNum, 1);
    frameLayout->addLayout(row);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(frame);
    pageLayout->addStretch(1);
    SSTab1->addTab(page, QStringLiteral("Serial Cable Properties"));
    cmdUpdate = new QPushButton(QStringLiteral("Ok"), this);
    cmdUpdate->setToolTip(QStringLiteral("Save holiday"));
    cmdExit = new QPushButton(QStringLiteral("Close"), this);
    cmdExit->setToolTip(QStringLiteral("Close form"));
    setCancelButton(cmdExit);
    setDefaultButton(cmdUpdate);
    // The keyboard starts at the one choice of the window.
    PortNum->setFocus();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdUpdate);
    buttons->addWidget(cmdExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);
    connect(PortNum, &QComboBox::activated, this, [this] { PortNum_Click(); });
    connect(cmdUpdate, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    resize(Twips::toPixels(5400), Twips::toPixels(3000));
}

void frmPrpComms::Form_Load()
{
    guarded(306, [this] {
        FormTranslator(BinaryDict()).TranslateForm(this);
        appState().LoginFailures = 0;
        m_settingChanged = false;
        const int index = appState().CommPortIndex;
        PortNum->setCurrentIndex(index >= 0 && index < PortNum->count() ? index : -1);
    });
}

void frmPrpComms::PortNum_Click()
{
    guarded(308, [this] { m_settingChanged = PortNum->currentIndex() != appState().CommPortIndex; });
}

void frmPrpComms::cmdUpdate_Click()
{
    guarded(309, [this] {
        ApplyCommPort();
        m_settingChanged = false;
    });
}

void frmPrpComms::ApplyCommPort()
{
    guarded(3, [this] {
        MainWindowService* main = mainWindow();
        if (!main)
            raiseError(Err::ObjectNotSet);
        SerialLinkControl& link = main->serialLink();
        AppState& s = appState();
        const int chosen = PortNum->currentIndex();
        if (chosen < 0)
            return;
        // The port open already, unless COM n has come to name another device since (a link made meanwhile).
        const bool stored = chosen == s.CommPortIndex;
        if (stored && link.isOpen() && !link.namesAnotherDevice())
            return;
        const auto number = static_cast<int16_t>(chosen + 1);
        // The stored port is waited for until it opens; one only tried here is not.
        const auto ifNotOpen =
            stored ? SerialLinkControl::IfNotOpen::KeepTrying : SerialLinkControl::IfNotOpen::StayClosed;
        try {
            link.open(number, ifNotOpen);
        } catch (const AppError& error) {
            if (error.number() != CommError::InvalidPortNumber && error.number() != CommError::PortAlreadyOpen &&
                error.number() != CommError::PortNotOpen)
                throw;
            ShowWarning(Translate(QStringLiteral("Invalid Port!")) + PortFailureLines(number, error, stored));
            return;
        }
        s.CommPortIndex = static_cast<int16_t>(chosen);
        SaveIniSettings();
    });
}

SaveAnswer frmPrpComms::askToSaveChanges()
{
    if (!m_settingChanged)
        return SaveAnswer::Save;
    const SaveAnswer answer = AskToSave(Translate(QStringLiteral("Save all setting changes?")));
    if (answer == SaveAnswer::Save)
        cmdUpdate_Click();
    return answer;
}

bool frmPrpComms::confirmAdministrator()
{
    switch (AskAdministrator(this)) {
    case AdministratorAnswer::Confirmed: return true;
    case AdministratorAnswer::Cancelled: cmdExit->setFocus(); return false;
    case AdministratorAnswer::Closed: break;
    }
    return false;
}

void frmPrpComms::cmdExit_Click()
{
    guarded(304, [this] {
        // At Close, a No still leads to the prompt; Cancel goes back to the window.
        if (askToSaveChanges() == SaveAnswer::Stay)
            return;
        const AppState& s = appState();
        const QString admin = VbText::trim(s.AdminPassword);
        if (admin != VbText::trim(s.EngineerPassword) && !admin.isEmpty() && !confirmAdministrator())
            return;
        unloadForm();
    });
}

bool frmPrpComms::Form_QueryUnload(int mode)
{
    if (mode != CloseBox)
        return true;
    bool close = true;
    guarded(307, [&] {
        const SaveAnswer answer = askToSaveChanges();
        if (answer == SaveAnswer::Stay) {
            close = false;
            return;
        }
        if (answer == SaveAnswer::Discard)
            return;
        const AppState& s = appState();
        const QString session = VbText::trim(s.SessionPassword);
        if (session == VbText::trim(s.AdminPassword) || session == VbText::trim(s.GuardPassword))
            return;
        const QString admin = VbText::trim(s.AdminPassword);
        if (admin != VbText::trim(s.EngineerPassword) && !admin.isEmpty())
            confirmAdministrator();
    });
    return close;
}

void frmPrpComms::Form_Unload()
{
    RefreshMainToolbar();
}
