#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/frmCodes.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "tests/support/CodeReads.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QPushButton>
#include <QtTest>

class CodeCaptureTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    frmCodes& openCapture()
    {
        OpenMainDatabase();
        LoadIniSettings();
        appState().LoginPassword = appState().AdminPassword;
        FormInstance<frmMain>::get();
        frmCodes& capture = FormInstance<frmCodes>::get();
        capture.show();
        return capture;
    }

    void send(const QByteArray& bytes)
    {
        env->port->waiting += bytes;
        FormInstance<frmMain>::get().ReceiveTimer_Timer();
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
    }

    void cleanup() { env.reset(); }

    void aFreeCardIsCaptured()
    {
        frmCodes& capture = openCapture();
        capture.ReadTimer_Timer(); // nothing yet
        QVERIFY(FormInstance<frmCodes>::exists());
        // A door status right behind the read no longer hides it.
        send(cardRead(42, 1, PacketBuilder::ResultOpened, 500) + PacketBuilder::doorStatus(DoorModeNormal, false));
        capture.ReadTimer_Timer();
        QVERIFY(!FormInstance<frmCodes>::exists());
        const LinkState& link = linkState();
        QVERIFY(link.CodeCaptured);
        QCOMPARE(link.CapturedCode, QStringLiteral("0000000042  "));
        QCOMPARE(link.CapturedCodeType, int16_t(2));
        QCOMPARE(link.LastSlot, uint16_t(500));
    }

    void aCodeThatIsTakenIsRefusedAndTheDialogWaits()
    {
        frmCodes& capture = openCapture();
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, Employee_Code) VALUES (12, '1234')"));
        send(pinRead(QStringLiteral("1234"), 1, 7));
        capture.ReadTimer_Timer();
        QCOMPARE(env->prompts.boxes.size(), 1);
        QCOMPARE(env->prompts.boxes.first().text, QStringLiteral("This card already use by Employee No.12"));
        QVERIFY(FormInstance<frmCodes>::exists());
        QVERIFY(!linkState().CodeCaptured);
        send(pinRead(QStringLiteral("5678"), 2, 7));
        capture.ReadTimer_Timer();
        QVERIFY(!FormInstance<frmCodes>::exists());
        QCOMPARE(linkState().CapturedCode.trimmed(), QStringLiteral("5678"));
        QCOMPARE(linkState().CapturedCodeType, int16_t(1));
    }

    void cancellingCapturesNothing_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("cancel") << false;
        QTest::newRow("close box") << true;
    }

    void cancellingCapturesNothing()
    {
        QFETCH(bool, closeBox);
        frmCodes& capture = openCapture();
        send(cardRead(99, 3, PacketBuilder::ResultOpened, 7)); // arrived, but not yet taken
        if (closeBox)
            capture.requestClose();
        else
            capture.cmdClose->click();
        QVERIFY(!FormInstance<frmCodes>::exists());
        QVERIFY(!linkState().CodeCaptured);
        // The port is read as long as it is open, whatever window closes.
        QVERIFY(FormInstance<frmMain>::get().ReceiveTimer->isEnabled());
    }

    void aHiddenDialogTakesNothing()
    {
        frmCodes& capture = openCapture();
        capture.hide();
        send(cardRead(5, 4, PacketBuilder::ResultOpened, 7));
        capture.ReadTimer_Timer();
        QVERIFY(FormInstance<frmCodes>::exists());
        capture.show();
        capture.ReadTimer_Timer();
        QVERIFY(!FormInstance<frmCodes>::exists());
    }
};

QTEST_MAIN(CodeCaptureTest)
#include "tst_codecapture.moc"
