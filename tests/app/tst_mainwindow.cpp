#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/frmAboutGT430.h"
#include "link/LinkState.h"
#include "link/frmOnline.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "platform/widgets/HelpKey.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QtTest>

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    frmMain& openMain(int portIndex = 0)
    {
        env->logInAsAdministrator();
        appState().CommPortIndex = static_cast<int16_t>(portIndex);
        return FormInstance<frmMain>::get();
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
    }

    void cleanup() { env.reset(); }

    void theStoredPortIsOpened()
    {
        frmMain& main = openMain(2);
        QVERIFY(env->port && env->port->open);
        QCOMPARE(env->port->port, int16_t(3));
        QVERIFY(appState().CommOpened);
        QVERIFY(main.ShowInfo[0]->isEnabled() && main.ShowInfo[2]->isEnabled());
        QVERIFY(main.ToolbarButton[1]->isEnabled());
        QCOMPARE(appState().DefaultStartTime, QStringLiteral("08:00"));
        QCOMPARE(appState().DefaultWorkHours, int16_t(8));
        QVERIFY(QFileInfo(env->file(QStringLiteral("Pictures"))).isDir());
        QVERIFY(env->prompts.boxes.isEmpty());
        // The port is read from the moment it opens, with no other window open.
        QVERIFY(main.ReceiveTimer->isEnabled());
    }

    // Stored hours of 0 and an empty start time are no defaults here: the ones held stay.
    void storedDefaultsWithoutAValueKeepTheHeldOnes()
    {
        env->logInAsAdministrator();
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Start = '', MonThu_Hours = 0"));
        appState().DefaultStartTime = QStringLiteral("07:15");
        appState().DefaultWorkHours = 6;
        FormInstance<frmMain>::get();
        QVERIFY(appState().CommOpened);
        QCOMPARE(appState().DefaultStartTime, QStringLiteral("07:15"));
        QCOMPARE(appState().DefaultWorkHours, int16_t(6));
    }

    // What the line brought before the port opened is no read of now.
    void staleInputIsDroppedOnceThePortIsOpen()
    {
        env->waitingBeforeOpen = QByteArray(40, 0x21);
        openMain();
        QVERIFY(env->port->open);
        QVERIFY(env->port->waiting.isEmpty());
    }

    // The box says why, and that the port is tried again.
    void aPortThatFailsToOpenIsAnInvalidPort_data()
    {
        QTest::addColumn<int>("kind"); // 0 missing, 1 busy, else that failure number
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("no such port") << 0 << "Invalid Port! Please enter to Configuration Setting and fix it.\rCOM 1 is the device /dev/ttyS0.\rThe system's reason: No such file or directory\rThe program keeps trying the port and reads it as soon as it opens.";
        QTest::newRow("in use") << 1 << "Invalid Port! Please enter to Configuration Setting and fix it.\rCOM 1 is the device /dev/ttyS0.\rThe system's reason: Resource temporarily unavailable\rAnother program has the device open.\rThe program keeps trying the port and reads it as soon as it opens.";
        QTest::newRow("not open") << 8012 << "Invalid Port! Please enter to Configuration Setting and fix it.\rThe program keeps trying the port and reads it as soon as it opens.";
        QTest::newRow("file access") << 75 << "Invalid Port! Please enter to Configuration Setting and fix it.\rThe program keeps trying the port and reads it as soon as it opens.";
        // clang-format on
    }

    void aPortThatFailsToOpenIsAnInvalidPort()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        if (kind == 0)
            env->missingPorts = {1};
        else if (kind == 1)
            env->busyPorts = {1};
        else
            env->portOpenFailure = kind;
        frmMain& main = openMain();
        QCOMPARE(env->prompts.boxes.size(), 1);
        QCOMPARE(env->prompts.boxes.first().text, text);
        QCOMPARE(env->prompts.boxes.first().title, QStringLiteral("Warning"));
        QVERIFY(!appState().CommOpened);
        QVERIFY(appState().DefaultStartTime.isEmpty());
        QCOMPARE(appState().DefaultWorkHours, int16_t(0));
        QVERIFY(!QFileInfo::exists(env->file(QStringLiteral("Pictures"))));
        QVERIFY(!main.ShowInfo[0]->isEnabled() && !main.ShowInfo[2]->isEnabled());
        QVERIFY(!main.ToolbarButton[1]->isEnabled() && !main.ToolbarButton[3]->isEnabled());
        QVERIFY(main.ShowInfo[1]->isEnabled());
        QVERIFY(!main.ReceiveTimer->isEnabled());
    }

    // The stored port is not there at the start (an adapter not ready yet):
    // once it opens, the program is as if it had started with it.
    void aPortMissingAtTheStartOpensOnceItIsThere()
    {
        env->missingPorts = {1};
        frmMain& main = openMain();
        QCOMPARE(env->prompts.boxes.size(), 1);
        runEventLoopFor(300);
        QVERIFY(!appState().CommOpened);
        QCOMPARE(linkState().DoorMode, DoorModeNotKnown);
        env->port->missing.clear();
        QVERIFY(runEventLoopUntil([] { return appState().CommOpened; }));
        QVERIFY(env->port->open);
        QVERIFY(main.ShowInfo[0]->isEnabled() && main.ShowInfo[2]->isEnabled());
        QVERIFY(main.ToolbarButton[1]->isEnabled() && main.ToolbarButton[3]->isEnabled());
        QVERIFY(main.ReceiveTimer->isEnabled());
        QCOMPARE(appState().DefaultStartTime, QStringLiteral("08:00"));
        QCOMPARE(appState().DefaultWorkHours, int16_t(8));
        QVERIFY(QFileInfo(env->file(QStringLiteral("Pictures"))).isDir());
        QCOMPARE(env->prompts.boxes.size(), 1);
    }

    void losingAnOpenPortStopsTheLink()
    {
        frmMain& main = openMain();
        FormInstance<frmOnline>::get().showModeless(nullptr);
        main.ReceiveTimer->setEnabled(true);
        env->port->missing = {2};
        appState().CommPortIndex = 1;
        main.OpenComm();
        QVERIFY(!appState().CommOpened);
        QVERIFY(!FormInstance<frmOnline>::exists());
        QVERIFY(!main.ReceiveTimer->isEnabled());
        QVERIFY(!main.ShowInfo[0]->isEnabled() && !main.ShowInfo[2]->isEnabled());
        QVERIFY(main.ShowInfo[1]->isEnabled());
        QVERIFY(!env->port->open);
    }

    void theLanguageSwitchesAtRunTime()
    {
        frmMain& main = openMain();
        env->prompts.languageChoices.enqueue(1);
        main.cmdLanguage();
        QCOMPARE(appState().LanguageIndex, int16_t(1));
        QCOMPARE(env->prompts.languageTitles, QStringList{QStringLiteral("Change Language")});
        QCOMPARE(main.mnuShowInfo->title(), QStringLiteral("&Ansicht"));
        QCOMPARE(main.ToolbarButton[6]->text(), QStringLiteral("Beenden"));
        QCOMPARE(main.HelpInfo[5]->text(), QStringLiteral("Ü&ber GT-430"));
        QCOMPARE(main.windowTitle(), QStringLiteral("Zutrittskontrolle  GT-430"));

        env->prompts.languageChoices.enqueue(std::nullopt);
        main.cmdLanguage();
        QCOMPARE(appState().LanguageIndex, int16_t(1));
        QCOMPARE(main.mnuShowInfo->title(), QStringLiteral("&Ansicht"));

        env->prompts.languageChoices.enqueue(0);
        main.cmdLanguage();
        QCOMPARE(main.mnuShowInfo->title(), QStringLiteral("&View"));
        QCOMPARE(main.windowTitle(), QStringLiteral("Access Control  GT-430"));
    }

    void exitSavesTheSettingsAndEnds()
    {
        frmMain& main = openMain();
        appState().LanguageIndex = 1;
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, main.Toolbar1_ButtonClick(6));
        QVERIFY(!env->port->open);
        auto db = Database::open(env->file(QStringLiteral("GT430.mdb")), {});
        QCOMPARE(db->openTable(QStringLiteral("tblIni")).field(3).toInt16(), int16_t(1));
    }

    void theHelpCommands()
    {
        frmMain& main = openMain();
        main.Toolbar1_ButtonClick(5);
        main.ShowHelpTopic(1);
        main.ShowHelpTopic(3);
        QCOMPARE(env->help.calls, (QStringList{"contents", "index", "context 1020"}));
        QVERIFY(env->modalWindows.isEmpty()); // the toolbar's Help is not the About box
        env->help.calls.clear();
        HelpKey::press(&main);
        QCOMPARE(env->help.calls, QStringList{"topic frmMain"});
    }

    void theAboutBoxShowsTheVersion()
    {
        frmMain& main = openMain();
        main.showModeless(nullptr);
        main.Toolbar1->hide(); // as a window over it may leave it
        QString version;
        env->modalSteps.enqueue([&](Form& form) {
            version = static_cast<frmAboutGT430&>(form).lblVersion->text();
            form.unloadForm();
        });
        main.ShowHelpTopic(5);
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmAboutGT430")});
        QCOMPARE(version, QStringLiteral("Pc Software Version 1.0.0\r\nFirmware Version Gt430v19 or later"));
        // Closing the box brings the main window's toolbar back.
        QVERIFY(main.isVisible());
        QVERIFY(main.Toolbar1->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
