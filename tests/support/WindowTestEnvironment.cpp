#include "tests/support/WindowTestEnvironment.h"

#include "app/forms/JoinSubsystemWindows.h"
#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "core/PasswordFile.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormRegistry.h"
#include "platform/serial/CommPortFactory.h"

#include <QFile>

WindowTestEnvironment::WindowTestEnvironment()
{
    QFile::copy(QStringLiteral(GT430_BUILT_DICTIONARY), file(QStringLiteral("GT430.mld")));
    ProvideMainWindow();
    JoinSubsystemWindows();
    setCommPortFactoryForTests([this] {
        auto made = std::make_unique<FakeCommPort>();
        made->missing = missingPorts;
        made->busy = busyPorts;
        made->openFailure = portOpenFailure;
        made->waiting = waitingBeforeOpen;
        port = made.get();
        return made;
    });
    FormRegistry::setLastFormHandler([this] { noWindowLeft = true; });
    Form::setModalHandlerForTests([this](Form& form) {
        modalWindows << QString::fromLatin1(form.metaObject()->className());
        if (modalSteps.isEmpty()) {
            form.requestClose();
            return;
        }
        modalSteps.dequeue()(form);
    });
}

WindowTestEnvironment::~WindowTestEnvironment()
{
    FormRegistry::destroyAllForTests();
    Form::setModalHandlerForTests(nullptr);
    FormRegistry::setLastFormHandler(nullptr);
    setCommPortFactoryForTests(nullptr);
    setMainWindowProvider({});
}

void WindowTestEnvironment::writePasswords(const QString& admin, const QString& guard, const QString& engineer)
{
    QFile file(this->file(QStringLiteral("setting.dat")));
    if (!file.open(QIODevice::ReadWrite | QIODevice::Truncate))
        return;
    const QString passwords[3] = {admin, guard, engineer};
    for (int r = 0; r < 3; ++r) {
        PasswordRecord code{};
        ScramblePassword(passwords[r], code);
        WritePasswordRecord(code, static_cast<uint8_t>(1 + 16 * r), file);
    }
}

void WindowTestEnvironment::logInAsAdministrator()
{
    OpenMainDatabase();
    LoadIniSettings();
    appState().LoginPassword = appState().AdminPassword;
    appState().StartupDone = true;
}
