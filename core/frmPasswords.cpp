#include "core/frmPasswords.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PasswordFile.h"
#include "core/frmPassword.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/TabCaptions.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"
#include "platform/widgets/HelpKey.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QWidget* levelPage(const QString& permission, QPushButton* button)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Permission:")));
    auto* text = new QLabel(permission);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
    layout->addWidget(button, 0, Qt::AlignLeft);
    return page;
}

void changeLevel(const QWidget* owner, const QString& level, const QString& current, bool fromButtons, int helpContext)
{
    AppState& s = appState();
    s.PasswordFromButtons = fromButtons;
    s.SessionPassword = current;
    frmPassword& dialog = FormInstance<frmPassword>::get();
    dialog.setPasswordLevel(level);
    dialog.initializeLabels();
    HelpKey::setContext(&dialog, helpContext);
    dialog.showModal(owner);
}

}

frmPasswords::frmPasswords()
{
    setWindowTitle(QStringLiteral("Passwords"));
    SSTab2 = new QTabWidget(this);
    keepTabCaptionsWhole(SSTab2);
    cmdPass[1] = new QPushButton(QStringLiteral("Password"));
    cmdPass[0] = new QPushButton(QStringLiteral("Password"));
    ChangePassword = new QPushButton(QStringLiteral("Password"));
    SSTab2->addTab(
        levelPage(QStringLiteral("Adminstrator has access to all screens program. He can change all settings."),
                  cmdPass[1]),
        QStringLiteral("Administrator"));
    SSTab2->addTab(levelPage(QStringLiteral("Guard can see only On-Line screen."), cmdPass[0]),
                   QStringLiteral("Guard"));
    SSTab2->addTab(levelPage(QStringLiteral("Engineer can change only COM port."), ChangePassword),
                   QStringLiteral("Engineer"));
    cmdExit = new QPushButton(QStringLiteral("Close"), this);
    setCancelButton(cmdExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab2);
    layout->addWidget(cmdExit, 0, Qt::AlignRight);
    connect(cmdPass[0], &QPushButton::clicked, this, [this] { cmdPass_Click(0); });
    connect(cmdPass[1], &QPushButton::clicked, this, [this] { cmdPass_Click(1); });
    connect(ChangePassword, &QPushButton::clicked, this, [this] { ChangePassword_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { unloadForm(); });
}

void frmPasswords::Form_Load()
{
    guarded(303, [this] {
        FormTranslator(BinaryDict()).TranslateForm(this);
        appState().LoginFailures = 0;
    });
}

void frmPasswords::cmdPass_Click(int index)
{
    guarded(302, [this, index] {
        if (index == 0)
            changeLevel(this, GuardLevelKey, appState().GuardPassword, true, 9);
        else
            changeLevel(this, AdminLevelKey, appState().AdminPassword, true, 9);
    });
}

void frmPasswords::ChangePassword_Click()
{
    guarded(301, [this] { changeLevel(this, EngineerLevelKey, appState().EngineerPassword, false, 0); });
}
