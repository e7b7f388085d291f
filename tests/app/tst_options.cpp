#include "app/frmOptions.h"
#include "core/AppState.h"
#include "core/frmLogin.h"
#include "platform/forms/FormRegistry.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

std::function<void(Form&)> typeLogin(const QString& password)
{
    return [password](Form& form) {
        auto& login = static_cast<frmLogin&>(form);
        login.Password->setText(password);
        login.CheckLogin();
    };
}

}

class OptionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    QString sessionInSettings;

    void usePasswords(const QString& admin, const QString& guard, const QString& engineer)
    {
        AppState& s = appState();
        s.AdminPassword = admin.leftJustified(8);
        s.GuardPassword = guard.leftJustified(8);
        s.EngineerPassword = engineer.leftJustified(8);
        s.StartupDone = true;
    }

    std::function<void(Form&)> settingsWindow()
    {
        return [this](Form& form) {
            sessionInSettings = appState().SessionPassword;
            form.unloadForm();
        };
    }

private slots:
    void init() { env = std::make_unique<WindowTestEnvironment>(); }
    void cleanup() { env.reset(); }

    void theSettingsOpenWithoutLogin_data()
    {
        QTest::addColumn<QString>("engineer");
        QTest::newRow("no engineer password") << "";
        QTest::newRow("engineer same as admin") << "a";
    }

    void theSettingsOpenWithoutLogin()
    {
        QFETCH(QString, engineer);
        usePasswords(QStringLiteral("a"), QStringLiteral("g"), engineer);
        env->modalSteps.enqueue(settingsWindow());
        FormInstance<frmOptions>::get().cmdSetup_Click(0);
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmPrpComms")});
        QVERIFY(appState().SessionPassword.isEmpty());
    }

    void anyLevelLogsInForTheSettings_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("engineer") << "e";
        QTest::newRow("guard") << "g";
        QTest::newRow("administrator") << "a";
    }

    void anyLevelLogsInForTheSettings()
    {
        QFETCH(QString, typed);
        usePasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        env->modalSteps.enqueue(typeLogin(typed));
        env->modalSteps.enqueue(settingsWindow());
        frmOptions& options = FormInstance<frmOptions>::get();
        options.cmdSetup_Click(0);
        QCOMPARE(env->modalWindows, (QStringList{QStringLiteral("frmLogin"), QStringLiteral("frmPrpComms")}));
        QCOMPARE(sessionInSettings, typed.leftJustified(8));
        QVERIFY(appState().LaterLoginPassword.isEmpty());

        // The next visit asks again.
        env->modalWindows.clear();
        options.cmdSetup_Click(0);
        QCOMPARE(env->modalWindows.first(), QStringLiteral("frmLogin"));
    }

    void cancellingTheLoginOpensNothing()
    {
        usePasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        env->modalSteps.enqueue([](Form& form) { static_cast<frmLogin&>(form).cmdCancel->click(); });
        FormInstance<frmOptions>::get().cmdSetup_Click(0);
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmLogin")});
        QCOMPARE(appState().DialogResult, int16_t(2));
    }

    void aLaterLoginInEffectIsKept()
    {
        usePasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        appState().LaterLoginPassword = appState().EngineerPassword;
        env->modalSteps.enqueue(settingsWindow());
        FormInstance<frmOptions>::get().cmdSetup_Click(0);
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmPrpComms")});
        QCOMPARE(appState().LaterLoginPassword, QStringLiteral("e       "));
    }

    void theOtherTasks()
    {
        usePasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        frmOptions& options = FormInstance<frmOptions>::get();
        options.cmdSetup_Click(2);
        options.cmdSetup_Click(4); // no such task
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmPasswords")});
    }
};

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"
