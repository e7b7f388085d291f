#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "core/widgets/BackAc.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/frmOnline.h"
#include "link/frmPrpComms.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/PictureBox.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class CommSettingsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    frmPrpComms& open(const QString& admin, const QString& engineer)
    {
        env->writePasswords(admin, QStringLiteral("g"), engineer);
        OpenMainDatabase();
        LoadIniSettings();
        appState().StartupDone = true;
        FormInstance<frmMain>::get();
        return FormInstance<frmPrpComms>::get();
    }

    int storedPortIndex()
    {
        auto db = Database::open(env->file(QStringLiteral("GT430.mdb")), {});
        return db->openTable(QStringLiteral("tblIni")).field(4).toInt16();
    }

    static void choose(frmPrpComms& dialog, int index)
    {
        dialog.PortNum->setCurrentIndex(index);
        dialog.PortNum_Click();
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
    }

    void cleanup() { env.reset(); }

    void applyingAPortReopensAndSavesIt()
    {
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("a"));
        QCOMPARE(dialog.PortNum->currentIndex(), 0);
        choose(dialog, 2);
        QVERIFY(dialog.settingChanged());
        dialog.cmdUpdate->click();
        QVERIFY(!dialog.settingChanged());
        QCOMPARE(env->port->port, int16_t(3));
        QVERIFY(env->port->open);
        QCOMPARE(appState().CommPortIndex, int16_t(2));
        QCOMPARE(storedPortIndex(), 2);
        QVERIFY(FormInstance<frmMain>::get().ReceiveTimer->isEnabled());
        QVERIFY(FormInstance<frmPrpComms>::exists()); // Ok keeps the dialog open
    }

    // On Line and Programming follow every open and every failure of the port.
    void theLinkCommandsFollowThePort()
    {
        env->missingPorts = {1, 5};
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("a"));
        frmMain& main = FormInstance<frmMain>::get();
        const auto linkCommandsOn = [&main](bool on) {
            for (QAction* command : {main.ShowInfo[0], main.ShowInfo[2], main.ToolbarButton[1], main.ToolbarButton[3]})
                QCOMPARE(command->isEnabled(), on);
            QCOMPARE(appState().CommOpened, on);
            QVERIFY(main.ShowInfo[1]->isEnabled());
        };
        linkCommandsOn(false);
        choose(dialog, 2);
        dialog.cmdUpdate->click();
        QVERIFY(env->port->open);
        linkCommandsOn(true);
        choose(dialog, 4);
        dialog.cmdUpdate->click();
        QVERIFY(!env->port->open);
        linkCommandsOn(false);
    }

    void theStoredPortAgain()
    {
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("a"));
        choose(dialog, 3);
        choose(dialog, 0);
        QVERIFY(!dialog.settingChanged());
        const int opens = env->port->opens;
        dialog.cmdUpdate->click(); // open already on that port: nothing happens
        QCOMPARE(env->port->opens, opens);
        env->port->setPortOpen(false);
        dialog.cmdUpdate->click();
        QVERIFY(env->port->open);
        dialog.cmdExit->click();
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(env->modalWindows.isEmpty());
        QVERIFY(!FormInstance<frmPrpComms>::exists());
    }

    // COM n came to name another device since it was opened (a link made
    // while the program runs): Ok with the stored port opens that one.
    void okOpensTheDeviceThePortNamesNow()
    {
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("a"));
        const int opens = env->port->opens;
        env->port->anotherDevice = true;
        dialog.cmdUpdate->click();
        QCOMPARE(env->port->opens, opens + 1);
        QVERIFY(env->port->open);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    // A port chosen that does not open leaves no door status standing: the
    // monitor shows the door as unknown.
    void aFailedPortChangeShowsTheDoorUnknown()
    {
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("a"));
        frmOnline& monitor = FormInstance<frmOnline>::get();
        monitor.showModeless(nullptr);
        env->port->waiting = PacketBuilder::doorStatus(DoorModeSecure, false);
        QVERIFY(runEventLoopUntil([&] { return monitor.ImageDoor->toolTip() == QLatin1String("Secure"); }));
        env->port->missing = {5};
        choose(dialog, 4);
        dialog.cmdUpdate->click();
        QCOMPARE(
            env->prompts.texts(),
            QStringList{QStringLiteral(
                "Invalid Port!\rCOM 5 is the device /dev/ttyS4.\rThe system's reason: No such file or directory")});
        QVERIFY(runEventLoopUntil([&] { return monitor.ImageDoor->toolTip() == QLatin1String("Unknown"); }));
        QCOMPARE(linkState().DoorMode, DoorModeUnknown);
    }

    void aPortThatWillNotOpenIsRefused()
    {
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("a"));
        env->port->missing = {5};
        choose(dialog, 4);
        dialog.cmdUpdate->click();
        QCOMPARE(env->prompts.boxes.size(), 1);
        QCOMPARE(env->prompts.boxes.first().text,
                 QStringLiteral(
                     "Invalid Port!\rCOM 5 is the device /dev/ttyS4.\rThe system's reason: No such file or directory"));
        QCOMPARE(appState().CommPortIndex, int16_t(0));
        QCOMPARE(storedPortIndex(), 0);
        // A port only tried here is not waited for.
        env->port->missing.clear();
        runEventLoopFor(300);
        QVERIFY(!env->port->open);
    }

    // Ok on the stored port the program waits for (missing at the start)
    // says why it does not open, and the waiting goes on.
    void okOnTheStoredPortWhileItIsAwayKeepsWaiting()
    {
        env->missingPorts = {1};
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("a"));
        env->prompts.boxes.clear();
        dialog.cmdUpdate->click();
        QCOMPARE(env->prompts.texts(),
                 QStringList{QStringLiteral("Invalid Port!\rCOM 1 is the device /dev/ttyS0.\rThe system's reason: No "
                                            "such file or directory\rThe program keeps trying the port and reads it "
                                            "as soon as it opens.")});
        env->port->missing.clear();
        QVERIFY(runEventLoopUntil([] { return appState().CommOpened; }));
        QVERIFY(env->port->open);
        QCOMPARE(env->port->port, int16_t(1));
    }

    void closingAsksThePendingChange()
    {
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral(""));
        choose(dialog, 1);
        env->prompts.answers.enqueue(MsgBox::Yes);
        env->modalSteps.enqueue([](Form& form) {
            auto& prompt = static_cast<BackAc&>(form);
            prompt.Password->setText(QStringLiteral("a"));
            prompt.Accept->click();
        });
        dialog.cmdExit->click();
        QCOMPARE(env->prompts.boxes.first().text, QStringLiteral("Save all setting changes?"));
        QCOMPARE(appState().CommPortIndex, int16_t(1));
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("BackAc")});
        QVERIFY(!FormInstance<frmPrpComms>::exists());
    }

    // Cancel at "Save all setting changes?" goes back to the dialog as it was:
    // nothing applied, no Administrator prompt.
    void cancellingTheSaveQuestionKeepsTheDialog_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Close") << false;
        QTest::newRow("close box") << true;
    }

    void cancellingTheSaveQuestionKeepsTheDialog()
    {
        QFETCH(bool, closeBox);
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("e"));
        appState().SessionPassword = appState().EngineerPassword;
        choose(dialog, 1);
        env->prompts.answers.enqueue(MsgBox::Cancel);
        if (closeBox)
            dialog.requestClose();
        else
            dialog.cmdExit->click();
        QCOMPARE(env->prompts.texts(), QStringList{"Save all setting changes?"});
        QVERIFY(FormInstance<frmPrpComms>::exists());
        QVERIFY(env->modalWindows.isEmpty());
        QCOMPARE(dialog.PortNum->currentIndex(), 1);
        QVERIFY(dialog.settingChanged());
        QCOMPARE(appState().CommPortIndex, int16_t(0));
        QCOMPARE(env->port->port, int16_t(1));
    }

    void cancellingTheAdministratorPromptKeepsTheDialog()
    {
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("e"));
        env->modalSteps.enqueue([](Form& form) { static_cast<BackAc&>(form).cmdCancel->click(); });
        dialog.cmdExit->click();
        QVERIFY(FormInstance<frmPrpComms>::exists());
        QCOMPARE(appState().DialogResult, int16_t(2));
    }

    // The prompt stands in the middle of the dialog it belongs to, at the size it is shown with.
    void theAdministratorPromptIsCentredOverTheDialog()
    {
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("e"));
        dialog.showModeless(nullptr);
        dialog.move(40, 30);
        QCoreApplication::processEvents();
        QRect prompt;
        QSize size;
        QSize wanted;
        env->modalSteps.enqueue([&](Form& form) {
            prompt = form.frameGeometry();
            size = form.size();
            wanted = form.sizeHint();
            static_cast<BackAc&>(form).cmdCancel->click();
        });
        dialog.cmdExit->click();
        QCOMPARE(size, wanted);
        QVERIFY2((prompt.center() - dialog.frameGeometry().center()).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("prompt %1,%2 %3x%4 over dialog %5,%6 %7x%8")
                                .arg(prompt.x())
                                .arg(prompt.y())
                                .arg(prompt.width())
                                .arg(prompt.height())
                                .arg(dialog.x())
                                .arg(dialog.y())
                                .arg(dialog.width())
                                .arg(dialog.height())));
    }

    void exitAtTheAdministratorPromptEndsTheProgram()
    {
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("e"));
        appState().CommPortIndex = 6;
        env->modalSteps.enqueue([](Form& form) { static_cast<BackAc&>(form).cmdEnd_Click(); });
        // Called as the button would: the end thrown through Qt's own frames would skip their cleanup.
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, dialog.cmdExit_Click());
        QCOMPARE(storedPortIndex(), 6);
    }

    void decliningAtTheCloseBoxClosesWithoutThePrompt()
    {
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("e"));
        appState().SessionPassword = appState().EngineerPassword;
        choose(dialog, 1);
        env->prompts.answers.enqueue(MsgBox::No);
        dialog.requestClose();
        QVERIFY(!FormInstance<frmPrpComms>::exists());
        QVERIFY(env->modalWindows.isEmpty());
        QCOMPARE(appState().CommPortIndex, int16_t(0));
    }

    void theCloseBoxAsksTheEngineerForTheAdministrator()
    {
        frmPrpComms& dialog = open(QStringLiteral("a"), QStringLiteral("e"));
        appState().SessionPassword = appState().EngineerPassword;
        env->modalSteps.enqueue([](Form& form) { form.requestClose(); });
        dialog.requestClose();
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("BackAc")});
        QVERIFY(!FormInstance<frmPrpComms>::exists());
    }
};

QTEST_MAIN(CommSettingsTest)
#include "tst_commsettings.moc"
