#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/PasswordChange.h"
#include "core/PasswordFile.h"
#include "core/frmLogin.h"
#include "core/frmPassword.h"
#include "core/frmPasswords.h"
#include "platform/forms/FormRegistry.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Types the text key by key, as the keyboard would, whatever its script.
void type(QLineEdit* box, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(box, &release);
    }
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}

class PasswordChangeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    void usePasswords(const QString& admin, const QString& guard, const QString& engineer)
    {
        env->writePasswords(admin, guard, engineer);
        appState().PasswordFilePath = env->file(QStringLiteral("setting.dat"));
        LoadPasswords();
    }

private slots:
    void init() { env = std::make_unique<WindowTestEnvironment>(); }
    void cleanup() { env.reset(); }

    void validation_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("admin");
        QTest::addColumn<QString>("guard");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<QString>("confirmed");
        QTest::addColumn<int>("code");
        // clang-format off
        QTest::newRow("wrong current") << "VANTU" << "a" << "g" << "x" << "n" << "n" << 1;
        QTest::newRow("admin emptied, guard set") << "VANTU" << "a" << "g" << "a" << "" << "" << 6;
        QTest::newRow("admin emptied, guard empty") << "VANTU" << "a" << "" << "a" << "" << "" << 0;
        QTest::newRow("guard set, admin empty") << "LOPRI" << "" << "" << "" << "g" << "g" << 6;
        QTest::newRow("guard emptied, admin empty") << "LOPRI" << "" << "g" << "g" << "" << "" << 0;
        QTest::newRow("confirmation differs") << "MEDEK" << "a" << "g" << "e" << "n1" << "n2" << 5;
        QTest::newRow("blanks do not count") << "MEDEK" << "a" << "g" << " e " << " n " << "n" << 0;
        // clang-format on
    }

    void validation()
    {
        QFETCH(QString, level);
        QFETCH(QString, admin);
        QFETCH(QString, guard);
        QFETCH(QString, current);
        QFETCH(QString, fresh);
        QFETCH(QString, confirmed);
        QFETCH(int, code);
        appState().AdminPassword = admin.leftJustified(8);
        appState().GuardPassword = guard.leftJustified(8);
        appState().SessionPassword = level == QLatin1String("VANTU")   ? appState().AdminPassword
                                     : level == QLatin1String("LOPRI") ? appState().GuardPassword
                                                                       : QStringLiteral("e       ");
        QCOMPARE(ValidatePasswordChange(current, fresh, confirmed, level), code);
        QCOMPARE(env->prompts.boxes.size(), code == 0 ? 0 : 1);
    }

    void uniqueness_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("fromButtons");
        QTest::addColumn<QString>("admin");
        QTest::addColumn<QString>("guard");
        QTest::addColumn<QString>("engineer");
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<int>("code");
        // clang-format off
        QTest::newRow("guard like admin") << "LOPRI" << true << "a" << "g" << "e" << "a" << 4;
        QTest::newRow("guard like engineer") << "LOPRI" << true << "a" << "g" << "e" << "e" << 4;
        QTest::newRow("admin like guard") << "VANTU" << true << "a" << "g" << "e" << "g" << 4;
        QTest::newRow("admin like engineer") << "VANTU" << true << "a" << "g" << "e" << "e" << 0;
        QTest::newRow("engineer like admin") << "MEDEK" << false << "a" << "g" << "e" << "a" << 0;
        QTest::newRow("engineer like guard") << "MEDEK" << false << "a" << "g" << "e" << "g" << 4;
        QTest::newRow("admin emptied, guard empty") << "VANTU" << true << "a" << "" << "e" << "" << 0;
        QTest::newRow("guard emptied, admin empty") << "LOPRI" << true << "" << "g" << "e" << "" << 0;
        QTest::newRow("stored trimmed") << "MEDEK" << false << "a" << "g" << "e" << "  new1 " << 0;
        QTest::newRow("unknown level") << "ADMIN" << true << "a" << "g" << "e" << "n" << 1;
        // clang-format on
    }

    void uniqueness()
    {
        QFETCH(QString, level);
        QFETCH(bool, fromButtons);
        QFETCH(QString, admin);
        QFETCH(QString, guard);
        QFETCH(QString, engineer);
        QFETCH(QString, fresh);
        QFETCH(int, code);
        usePasswords(admin, guard, engineer);
        appState().PasswordFromButtons = fromButtons;
        const QByteArray before = fileBytes(appState().PasswordFilePath);
        QCOMPARE(SavePassword(level, fresh), code);
        const QByteArray after = fileBytes(appState().PasswordFilePath);
        if (code != 0) {
            QCOMPARE(after, before);
            QCOMPARE(env->prompts.boxes.size(), 1);
            return;
        }
        QCOMPARE(after.size(), 48);
        QCOMPARE(appState().SessionPassword, fresh.trimmed());
        // What the globals say is what the file says.
        const QString stored[3] = {appState().AdminPassword, appState().GuardPassword, appState().EngineerPassword};
        LoadPasswords();
        QCOMPARE(appState().AdminPassword, stored[0]);
        QCOMPARE(appState().GuardPassword, stored[1]);
        QCOMPARE(appState().EngineerPassword, stored[2]);
        const QString& changed = level == QLatin1String("VANTU")   ? appState().AdminPassword
                                 : level == QLatin1String("LOPRI") ? appState().GuardPassword
                                                                   : appState().EngineerPassword;
        QCOMPARE(changed, fresh.trimmed().leftJustified(8));
    }

    // A change cut short (killed, disk full) leaves the old file whole: every
    // level still logs in with the password it had.
    void anInterruptedChangeLeavesTheOldFile_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("room");
        QTest::newRow("administrator, nothing written") << "VANTU" << 0;
        QTest::newRow("administrator, half a record") << "VANTU" << 8;
        QTest::newRow("guard, half a record") << "LOPRI" << 24;
        QTest::newRow("engineer, all but one byte") << "MEDEK" << 47;
    }

    void anInterruptedChangeLeavesTheOldFile()
    {
        QFETCH(QString, level);
        QFETCH(int, room);
        usePasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        appState().PasswordFromButtons = level != QLatin1String("MEDEK");
        const QByteArray before = fileBytes(appState().PasswordFilePath);
        {
            FileSizeLimit full(static_cast<rlim_t>(room));
            QCOMPARE(SavePassword(level, QStringLiteral("newpass")), int(PasswordCode::NotWritten));
        }
        QCOMPARE(fileBytes(appState().PasswordFilePath), before);
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 208\r")));
        QCOMPARE(QDir(env->folder()).entryList({QStringLiteral("setting.dat*")}, QDir::Files),
                 QStringList{QStringLiteral("setting.dat")});
        QCOMPARE(appState().AdminPassword, QStringLiteral("a       "));
        QCOMPARE(appState().GuardPassword, QStringLiteral("g       "));
        QCOMPARE(appState().EngineerPassword, QStringLiteral("e       "));
    }

    void aChangedFileStaysItsOwners()
    {
        usePasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        const QString path = appState().PasswordFilePath;
        QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadOther | QFile::ReadGroup));
        appState().PasswordFromButtons = false;
        QCOMPARE(SavePassword(QStringLiteral("MEDEK"), QStringLiteral("tech")), 0);
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                                          QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(path) & others, QFile::Permissions());
        QCOMPARE(fileBytes(path).size(), PasswordFileSize);
    }

    // A character the file cannot hold never enters a password box, so the
    // password typed at the change is the one typed at the next login.
    void aPasswordIsWhatTheFileCanHold()
    {
        usePasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        const QString typed = QString::fromUtf8("\u043f\u0430\u0440\u043e\u043b\u044c7");
        QString entered;
        env->modalSteps.enqueue([&](Form& form) {
            auto& dialog = static_cast<frmPassword&>(form);
            type(dialog.CurrentPswrd, QStringLiteral("e"));
            type(dialog.NewPswrd, typed);
            type(dialog.NewConfirmed, typed);
            entered = dialog.NewPswrd->text();
            dialog.cmdUpdate->click();
        });
        FormInstance<frmPasswords>::get().ChangePassword->click();
        QCOMPARE(entered, QStringLiteral("7"));
        QVERIFY(env->prompts.boxes.isEmpty());

        LoadPasswords(); // the next start
        appState().StartupDone = true;
        frmLogin& login = FormInstance<frmLogin>::get();
        type(login.Password, typed);
        login.CheckLogin();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(appState().LaterLoginPassword, appState().EngineerPassword);
    }

    void theDialogChangesAPassword()
    {
        usePasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        env->modalSteps.enqueue([](Form& form) {
            auto& dialog = static_cast<frmPassword&>(form);
            QVERIFY(dialog.CurrentPswrd->isVisibleTo(&dialog));
            QCOMPARE(dialog.Label1[2]->text(), QStringLiteral("Confirm New Password"));
            dialog.CurrentPswrd->setText(QStringLiteral("e"));
            dialog.NewPswrd->setText(QStringLiteral("tech"));
            dialog.NewConfirmed->setText(QStringLiteral("tech"));
            dialog.cmdUpdate->click();
        });
        FormInstance<frmPasswords>::get().ChangePassword->click();
        QVERIFY(!FormInstance<frmPassword>::exists());
        QCOMPARE(appState().EngineerPassword, QStringLiteral("tech    "));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void anEmptyCurrentPasswordHidesItsRow()
    {
        usePasswords(QStringLiteral("a"), QString(), QStringLiteral("e"));
        bool hidden = false;
        env->modalSteps.enqueue([&](Form& form) {
            auto& dialog = static_cast<frmPassword&>(form);
            hidden = !dialog.CurrentPswrd->isVisibleTo(&dialog) && !dialog.Label1[0]->isVisibleTo(&dialog);
            dialog.NewPswrd->setText(QStringLiteral("g2"));
            dialog.NewConfirmed->setText(QStringLiteral("g2"));
            dialog.cmdUpdate->click();
        });
        FormInstance<frmPasswords>::get().cmdPass_Click(0);
        QVERIFY(hidden);
        QCOMPARE(appState().GuardPassword, QStringLiteral("g2      "));
    }

    void theThirdRefusalInARowClosesTheDialog()
    {
        usePasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        int stillOpenAfterTwo = -1;
        env->modalSteps.enqueue([&](Form& form) {
            auto& dialog = static_cast<frmPassword&>(form);
            for (int i = 0; i < 3; ++i) {
                if (i == 2)
                    stillOpenAfterTwo = FormInstance<frmPassword>::exists();
                dialog.CurrentPswrd->setText(QStringLiteral("wrong"));
                dialog.cmdUpdate->click();
            }
        });
        FormInstance<frmPasswords>::get().cmdPass_Click(1);
        QCOMPARE(stillOpenAfterTwo, 1);
        QVERIFY(!FormInstance<frmPassword>::exists());
        QCOMPARE(env->prompts.boxes.size(), 3);
        QCOMPARE(appState().AdminPassword, QStringLiteral("a       "));
    }
};

QTEST_MAIN(PasswordChangeTest)
#include "tst_passwordchange.moc"
