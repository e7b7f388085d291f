#include "core/AppState.h"
#include "core/LoginRules.h"
#include "core/widgets/BackAc.h"
#include "platform/forms/FormRegistry.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

void setPasswords(const QString& admin, const QString& guard, const QString& engineer)
{
    AppState& s = appState();
    s.AdminPassword = admin.leftJustified(8);
    s.GuardPassword = guard.leftJustified(8);
    s.EngineerPassword = engineer.leftJustified(8);
}

}

class LoginTest : public QObject {
    Q_OBJECT

private slots:
    void whoLogsIn_data()
    {
        QTest::addColumn<bool>("later");
        QTest::addColumn<QString>("admin");
        QTest::addColumn<QString>("guard");
        QTest::addColumn<QString>("engineer");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("login");      // LoginPassword after, trimmed
        QTest::addColumn<QString>("laterLogin"); // LaterLoginPassword after, trimmed
        // clang-format off
        QTest::newRow("start-up admin") << false << "a" << "g" << "e" << "a" << true << "a" << "";
        QTest::newRow("start-up guard") << false << "a" << "g" << "e" << "g" << true << "g" << "";
        QTest::newRow("start-up engineer refused") << false << "a" << "g" << "e" << "e" << false << "" << "";
        QTest::newRow("start-up admin equals engineer") << false << "a" << "g" << "a" << "a" << true << "a" << "a";
        QTest::newRow("later engineer") << true << "a" << "g" << "e" << "e" << true << "" << "e";
        QTest::newRow("later guard") << true << "a" << "g" << "e" << "g" << true << "" << "g";
        QTest::newRow("later admin") << true << "a" << "g" << "e" << " a " << true << "" << "a";
        QTest::newRow("shared by two levels is the earlier") << true << "a" << "x" << "x" << "x" << true << "" << "x";
        QTest::newRow("empty entry for an empty guard") << false << "a" << "" << "e" << "" << true << "" << "";
        QTest::newRow("wrong") << true << "a" << "g" << "e" << "q" << false << "" << "";
        // clang-format on
    }

    void whoLogsIn()
    {
        QFETCH(bool, later);
        QFETCH(QString, admin);
        QFETCH(QString, guard);
        QFETCH(QString, engineer);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, login);
        QFETCH(QString, laterLogin);
        TestEnvironment env;
        setPasswords(admin, guard, engineer);
        appState().StartupDone = later;
        uint8_t tries = 0;
        const LoginResult result = CheckLoginPassword(typed, tries);
        QCOMPARE(result == LoginResult::Accepted, accepted);
        QCOMPARE(appState().LoginPassword.trimmed(), login);
        QCOMPARE(appState().LaterLoginPassword.trimmed(), laterLogin);
        QCOMPARE(appState().DialogResult, int16_t(6));
        if (accepted) {
            QCOMPARE(tries, uint8_t(0));
            QVERIFY(appState().StartupDone);
            QCOMPARE(appState().SessionPassword.trimmed(), later ? laterLogin : login);
        }
    }

    void laterLoginsEndOnEverySeventhFailureCountedTogether()
    {
        TestEnvironment env;
        setPasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        appState().StartupDone = true;
        uint8_t tries = 0;
        QList<LoginResult> results;
        for (int i = 0; i < 3; ++i)
            results << CheckLoginPassword(QStringLiteral("bad"), tries);
        for (int i = 0; i < 3; ++i)
            results << CheckAdminPassword(QStringLiteral("g")); // a right Guard password is a failure here
        results << CheckLoginPassword(QStringLiteral("bad"), tries);
        QCOMPARE(results.count(LoginResult::RefusedEnd), 1);
        QCOMPARE(results.last(), LoginResult::RefusedEnd);
        QCOMPARE(appState().LoginFailures, int16_t(7));
        QCOMPARE(CheckAdminPassword(QStringLiteral("a")), LoginResult::Accepted);
        QCOMPARE(appState().LoginFailures, int16_t(0));
    }

    void startUpEndsOnTheThirdTryOfTheDialog()
    {
        TestEnvironment env;
        setPasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        uint8_t tries = 0;
        QCOMPARE(CheckLoginPassword(QStringLiteral("1"), tries), LoginResult::Refused);
        QCOMPARE(CheckLoginPassword(QStringLiteral("2"), tries), LoginResult::Refused);
        QCOMPARE(CheckLoginPassword(QStringLiteral("3"), tries), LoginResult::RefusedEnd);
    }

    void theAdministratorPrompt()
    {
        WindowTestEnvironment env;
        setPasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        BackAc& prompt = FormInstance<BackAc>::get();
        prompt.Password->setText(QStringLiteral("e"));
        prompt.Accept->click();
        QCOMPARE(env.prompts.boxes.size(), 1);
        QCOMPARE(env.prompts.boxes.first().text, QStringLiteral("Illegal password!"));
        QVERIFY(prompt.Password->text().isEmpty());
        QVERIFY(FormInstance<BackAc>::exists());
        prompt.Password->setText(QStringLiteral("a"));
        prompt.Accept->click();
        QVERIFY(!FormInstance<BackAc>::exists());
        QCOMPARE(appState().DialogResult, int16_t(6));
        QCOMPARE(appState().SessionPassword, QStringLiteral("a       "));
    }

    // Enter in the password box is OK, once: a wrong password is one failure and one box.
    void enterInThePasswordIsOk()
    {
        WindowTestEnvironment env;
        setPasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        BackAc& prompt = FormInstance<BackAc>::get();
        prompt.Password->setText(QStringLiteral("e"));
        QTest::keyClick(prompt.Password, Qt::Key_Return);
        QCOMPARE(env.prompts.texts(), QStringList{"Illegal password!"});
        QCOMPARE(appState().LoginFailures, int16_t(1));
        QVERIFY(FormInstance<BackAc>::exists());
        prompt.Password->setText(QStringLiteral("a"));
        QTest::keyClick(prompt.Password, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!FormInstance<BackAc>::exists());
        QCOMPARE(appState().DialogResult, int16_t(6));
        QCOMPARE(env.prompts.boxes.size(), 1);
    }

    void leavingTheAdministratorPrompt_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<bool>("escape");
        QTest::newRow("cancel") << false << false;
        QTest::newRow("close box") << true << false;
        QTest::newRow("Esc") << false << true;
    }

    void leavingTheAdministratorPrompt()
    {
        QFETCH(bool, closeBox);
        QFETCH(bool, escape);
        WindowTestEnvironment env;
        BackAc& prompt = FormInstance<BackAc>::get();
        if (escape)
            QTest::keyClick(prompt.Password, Qt::Key_Escape);
        else if (closeBox)
            prompt.requestClose();
        else
            prompt.cmdCancel->click();
        QVERIFY(!FormInstance<BackAc>::exists());
        QCOMPARE(appState().DialogResult, int16_t(2));
    }

    void exitFromTheAdministratorPromptSavesAndEnds()
    {
        WindowTestEnvironment env;
        env.openNewDatabase();
        appState().CommPortIndex = 4;
        BackAc& prompt = FormInstance<BackAc>::get();
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, prompt.cmdEnd_Click());
        QCOMPARE(appState().DialogResult, int16_t(7));
        QVERIFY(!appState().Db->isOpen());
        auto db = Database::open(env.file(QStringLiteral("GT430.mdb")), {});
        QCOMPARE(db->openTable(QStringLiteral("tblIni")).field(4).toInt16(), int16_t(4));
    }
};

QTEST_MAIN(LoginTest)
#include "tst_login.moc"
