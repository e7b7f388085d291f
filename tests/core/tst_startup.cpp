#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "core/frmLogin.h"
#include "core/frmSplash.h"
#include "link/frmOnline.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/PictureBox.h"
#include "tests/support/UnprivilegedThread.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <optional>

class StartupTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    // The start-up window loaded and shown, as the program starts it.
    frmSplash& start()
    {
        frmSplash& splash = FormInstance<frmSplash>::get();
        splash.showModeless(nullptr);
        QCoreApplication::processEvents();
        return splash;
    }

    void typeLogin(const QString& password)
    {
        frmLogin& login = FormInstance<frmLogin>::get();
        login.Password->setText(password);
        login.CheckLogin();
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
    }

    void cleanup() { env.reset(); }

    void withoutAnAdministratorPasswordTheMainWindowOpensAtOnce_data()
    {
        QTest::addColumn<QString>("admin");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks only") << "   ";
    }

    void withoutAnAdministratorPasswordTheMainWindowOpensAtOnce()
    {
        QFETCH(QString, admin);
        env->writePasswords(admin, QString(), QStringLiteral("medek"));
        start();
        QVERIFY(FormInstance<frmMain>::exists());
        QVERIFY(!FormInstance<frmLogin>::exists());
        QVERIFY(!SplashLoaded());
        QCOMPARE(appState().LoginPassword, QStringLiteral("        "));
        QCOMPARE(appState().SessionPassword, QStringLiteral("        "));
        QVERIFY(appState().StartupDone);
    }

    // Without its database the program says so, naming the file, and ends
    // with a status that is not 0, before anyone logs in.
    void withoutADatabaseTheStartEnds_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("failure");
        QTest::newRow("missing") << "missing" << 3024;
        QTest::newRow("not a database") << "garbage" << 3051;
        QTest::newRow("columns of another program") << "columns" << 3075;
        QTest::newRow("read-only folder") << "read-only" << 3027;
    }

    void withoutADatabaseTheStartEnds()
    {
        QFETCH(QString, damage);
        QFETCH(int, failure);
        const QString path = env->file(QStringLiteral("GT430.mdb"));
        QVERIFY(QFile::remove(path));
        if (damage == QLatin1String("garbage")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        } else if (damage == QLatin1String("columns")) {
            auto db = Database::create(path, {});
            db->execute(QStringLiteral("CREATE TABLE tblEmployees (Name TEXT, Code TEXT)"));
        } else if (damage == QLatin1String("read-only")) {
            // Anyone may write the file, no one the folder beside it.
            env->createDatabase();
            const auto everyone = [](QFile::Permissions owner) {
                return owner | QFile::Permissions::fromInt(owner.toInt() >> 8) |
                       QFile::Permissions::fromInt(owner.toInt() >> 12);
            };
            QVERIFY(QFile::setPermissions(path, everyone(QFile::ReadOwner | QFile::WriteOwner)));
            QVERIFY(QFile::setPermissions(env->folder(), everyone(QFile::ReadOwner | QFile::ExeOwner)));
        }
        int status = 0;
        {
            // Root may write in any folder; there the start runs as an ordinary user.
            std::optional<UnprivilegedThread> user;
            if (damage == QLatin1String("read-only"))
                QVERIFY(user.emplace().ok());
            try {
                start();
            } catch (const ProgramEnded& end) {
                status = end.status;
            }
        }
        QFile::setPermissions(env->folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(status, ExitStatus::NoDatabase);
        QCOMPARE(env->prompts.boxes.size(), 2);
        const QString report = env->prompts.boxes.first().text;
        QVERIFY2(report.startsWith(QStringLiteral("Funcion error#: 2904\r")), qPrintable(report));
        QVERIFY2(report.endsWith(QStringLiteral("(%1)").arg(failure)), qPrintable(report));
        QCOMPARE(env->prompts.boxes.last().text,
                 QStringLiteral("GT-430 cannot work without its database and ends now:\r") + path);
        QVERIFY(!FormInstance<frmLogin>::exists());
        QVERIFY(!FormInstance<frmMain>::exists());
    }

    void theVersionIsShown()
    {
        frmSplash& splash = start();
        QCOMPARE(splash.lblVer->text(), QStringLiteral("Version 1.0.0"));
        QCOMPARE(splash.lblTitle->text(), QStringLiteral("Access Control GT-430"));
    }

    void theLoginWaitsUnderTheSplash()
    {
        frmSplash& splash = start();
        QVERIFY(FormInstance<frmLogin>::exists());
        QVERIFY(FormInstance<frmLogin>::get().isVisible());
        QVERIFY(!splash.isEnabled());
        QVERIFY(!FormInstance<frmMain>::exists());
    }

    void theAdministratorLogsIn()
    {
        start();
        typeLogin(QStringLiteral(" vantu "));
        QVERIFY(FormInstance<frmMain>::exists());
        QVERIFY(!FormInstance<frmLogin>::exists());
        QVERIFY(!SplashLoaded());
        QCOMPARE(appState().LoginPassword, QStringLiteral("vantu   "));
        QVERIFY(!FormInstance<frmMain>::get().GuardOnly);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void theEngineerCannotLogInAtStartUp()
    {
        start();
        typeLogin(QStringLiteral("medek"));
        QCOMPARE(env->prompts.boxes.size(), 1);
        QCOMPARE(env->prompts.boxes.first().text, QStringLiteral("Illegal password!"));
        QVERIFY(FormInstance<frmLogin>::exists());
        QVERIFY(FormInstance<frmLogin>::get().Password->text().isEmpty());
        QVERIFY(!FormInstance<frmMain>::exists());
    }

    void theThirdWrongPasswordEndsTheProgram()
    {
        start();
        typeLogin(QStringLiteral("x"));
        typeLogin(QStringLiteral("y"));
        QVERIFY(FormInstance<frmLogin>::exists());
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, typeLogin(QStringLiteral("z")));
        QCOMPARE(env->prompts.boxes.size(), 3);
    }

    void theGuardGetsOnlyTheMonitor()
    {
        start();
        typeLogin(QStringLiteral("lopri"));
        QCoreApplication::processEvents();
        frmMain& main = FormInstance<frmMain>::get();
        QVERIFY(main.GuardOnly);
        for (QMenu* menu : {main.mnuShowInfo, main.mnuSetInfo, main.mnuHelpInfo})
            QVERIFY(!menu->menuAction()->isEnabled());
        QVERIFY(!main.isVisible());
        QVERIFY(FormInstance<frmOnline>::exists());
        QVERIFY(FormInstance<frmOnline>::get().isVisible());
        // In the middle of the screen, whole.
        const frmOnline& monitor = FormInstance<frmOnline>::get();
        const QRect area = monitor.screen()->availableGeometry();
        QVERIFY(area.contains(monitor.frameGeometry()));
        QVERIFY((monitor.frameGeometry().center() - area.center()).manhattanLength() <= 2);
    }

    void aGuardPasswordEqualToTheAdministratorsIsNoGuardMode()
    {
        env->writePasswords(QStringLiteral("same"), QStringLiteral("same"), QStringLiteral("medek"));
        start();
        typeLogin(QStringLiteral("same"));
        QVERIFY(!FormInstance<frmMain>::get().GuardOnly);
        QVERIFY(!FormInstance<frmOnline>::exists());
    }

    void closingTheSplashDuringTheLoginEndsTheProgram()
    {
        frmSplash& splash = start();
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, splash.requestClose());
    }

    void cancellingTheLoginLeavesNoWindow()
    {
        start();
        FormInstance<frmLogin>::get().cmdCancel->click();
        QVERIFY(!FormInstance<frmLogin>::exists());
        QVERIFY(!SplashLoaded());
        QVERIFY(env->noWindowLeft);
        QCOMPARE(appState().DialogResult, int16_t(2));
    }

    void theLogosBlink()
    {
        frmSplash& splash = start();
        splash.TimerStartUp_Timer();
        QCOMPARE(splash.ImgGt43W[0]->picture().toImage(), splash.ImgGt43W[2]->picture().toImage());
        QCOMPARE(splash.Image2[2]->picture().toImage(), splash.Image2[0]->picture().toImage());
        splash.TimerStartUp_Timer();
        QCOMPARE(splash.ImgGt43W[0]->picture().toImage(), splash.ImgGt43W[1]->picture().toImage());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
