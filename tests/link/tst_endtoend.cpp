#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/IniSettings.h"
#include "link/CodeReadHandOver.h"
#include "link/LinkState.h"
#include "link/OnlineHistoryModel.h"
#include "link/PacketBuilder.h"
#include "link/ReceiveDispatcher.h"
#include "link/SerialLink.h"
#include "link/frmOnline.h"
#include "platform/AppError.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/PictureBox.h"
#include "platform/serial/CommPortFactory.h"
#include "platform/serial/SerialCommPort.h"
#include "tests/support/CodeReads.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/PtyPair.h"
#include "tests/support/StoredRows.h"
#include "tests/support/UnprivilegedThread.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QtTest>
#include <thread>
#include <unistd.h>

namespace {

QByteArray codeRead(bool card, quint32 number, const QString& pin, uint8_t result, bool out, uint8_t high, uint8_t low,
                    uint8_t seq)
{
    PacketBuilder::CodeReadFields f;
    f.card = card;
    f.cardNumber = number;
    f.pin = pin;
    f.result = result;
    f.out = out;
    f.slotHigh = high;
    f.slotLow = low;
    f.sequence = seq;
    return PacketBuilder::codeRead(f);
}

int eventRows()
{
    return StoredRows::count(QStringLiteral("tblOnline"));
}

}

// The cable is a pseudo-terminal; the unit's bytes go through the real port,
// the framer, the dispatcher, the logs and the event recording into the
// database file.
class EndToEndTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    std::unique_ptr<PtyPair> line;
    std::unique_ptr<SerialCommPort> port;
    std::unique_ptr<CodeReadSubscription> monitor;
    std::unique_ptr<CodeReadSubscription> capture;
    QList<EventLine> lines;

    // The program as it runs: its main window opens COM2 (the line) at start
    // and its own timers take the unit's bytes in.
    frmMain& startProgram(int16_t language = 0)
    {
        readSettingsAtStart(language);
        return FormInstance<frmMain>::get();
    }

    // What the start does before the main window opens.
    void readSettingsAtStart(int16_t language)
    {
        port.reset();
        LoadIniSettings();
        appState().CommPortIndex = 1;
        appState().LanguageIndex = language;
        appState().LoginPassword = appState().AdminPassword;
        appState().StartupDone = true;
    }

    void at(const QTime& time) { env->clock.current = QDateTime(QDate(2026, 3, 2), time); }

    // Sends bytes down the line and waits (briefly, bounded) until the port holds them.
    void send(const QByteArray& bytes)
    {
        const int before = port->inBufferCount();
        QVERIFY(line->write(bytes));
        QDeadlineTimer deadline(2000);
        while (port->inBufferCount() < before + bytes.size() && !deadline.hasExpired())
            QThread::usleep(200);
        QCOMPARE(port->inBufferCount(), before + bytes.size());
    }

    // One 200 ms tick of the receive timer, then one of the monitor's timer.
    void tick()
    {
        env->clock.current = env->clock.current.addMSecs(200);
        ReceiveTick(*port);
        for (const CodeRead& read : monitor->takeAll()) {
            if (read.Event)
                lines << read.Event->line;
        }
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        // The main window's port is the real one.
        setCommPortFactoryForTests(nullptr);
        env->openNewDatabase();
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, Employee_Code) "
                                    "VALUES (12, 'Ann', 'Smith', '0000004660'), (13, 'Bob', 'Jones', '1234')"));
        line = std::make_unique<PtyPair>();
        QVERIFY(line->isOpen());
        QVERIFY(line->linkAs(env->folder(), 2));
        port = std::make_unique<SerialCommPort>();
        port->setCommPort(2);
        port->setPortOpen(true);
        port->clearInBuffer();
        monitor = std::make_unique<CodeReadSubscription>();
        capture = std::make_unique<CodeReadSubscription>();
        lines.clear();
    }

    void cleanup()
    {
        capture.reset();
        monitor.reset();
        port.reset();
        env.reset();
        line.reset();
        SerialLink::setRetryIntervalForTests(0);
    }

    void aSessionAtTheDoor()
    {
        // The unit reports the door, then Ann's card opens it.
        send(PacketBuilder::doorStatus(DoorModeNormal, false));
        tick();
        const QByteArray ann = codeRead(true, 4660, {}, PacketBuilder::ResultOpened, false, 0x00, 0x0C, 1);
        send(ann);
        tick();
        // The unit sends the read again at once: dropped by the repeat guard.
        send(ann);
        tick();
        // Noise, a run of sync bytes, a broken packet, then an unknown PIN at lock strike 2,
        // its bytes split over two ticks.
        const QByteArray strike =
            codeRead(false, 0, QStringLiteral("999"), PacketBuilder::ResultUnknownCode, true, 0xFF, 0xFE, 2);
        send(QByteArray("\x01\x02\x03", 3) + QByteArray(7, char(0xFF)) +
             PacketBuilder::withBadChecksum(codeRead(true, 1, {}, 0, false, 0, 1, 9)) + strike.left(9));
        tick();
        QVERIFY(lines.size() == 1);
        send(strike.mid(9));
        tick();
        // Secure mode with tamper, twice; the second gives no history row.
        send(PacketBuilder::doorStatus(DoorModeSecure, true));
        tick();
        QCOMPARE(linkState().DoorMode, DoorModeSecure);
        QVERIFY(linkState().TamperFlag);
        send(PacketBuilder::doorStatus(DoorModeSecure, true));
        tick();
        // Bob's PIN refused in secure mode, followed in the same read by a door status:
        // the read is recorded all the same.
        send(codeRead(false, 0, QStringLiteral("1234"), PacketBuilder::ResultSecureMode, false, 0x00, 0x0D, 3) +
             PacketBuilder::doorStatus(DoorModeNormal, false));
        tick();
        tick();

        QCOMPARE(
            StoredRows::rows(QStringLiteral("SELECT Data, SlotNumber, Date_Date FROM ReadCard_Tbl ORDER BY rowid")),
            (QList<QStringList>{
                {"018521280012116", "12", "2026-03-02"},
                {"091530252552542247", "-1", "2026-03-02"},
                {"01852080133155", "13", "2026-03-02"},
            }));
        QCOMPARE(StoredRows::rows(QStringLiteral("SELECT Door_Number, Door_Status FROM DoorStatus_Tbl ORDER BY rowid")),
                 (QList<QStringList>{{"0", "1"}, {"0", "2"}, {"0", "1"}}));
        QCOMPARE(
            StoredRows::rows(QStringLiteral("SELECT Employee_Number, Employee_Full_Name, sCard, sIn, sDoor, sReason, "
                                            "SlotNumber, CardNum, iLockStrike, iIn, iDoor, iReason, iCard "
                                            "FROM tblOnline ORDER BY rowid")),
            (QList<QStringList>{
                {"12", "12  Smith  Ann", "Card", "In", "Opened", "", "12", "0000004660", "<null>", "1", "1", "<null>",
                 "1"},
                {"-1", "Unknown Employee", "PIN", "Out", "Not Opened", "Unknown Code", "-1", "999", "2", "2", "2", "3",
                 "2"},
                {"13", "13  Jones  Bob", "PIN", "In", "Not Opened", "Secure Mode", "13", "1234", "<null>", "1", "2",
                 "1", "2"},
            }));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1].name, QStringLiteral("Lock Strike 2"));
        QCOMPARE(capture->count(), 3);
        QVERIFY(env->prompts.boxes.isEmpty());
        // Nothing ever went the other way down the cable.
        QVERIFY(line->readFromSlave().isEmpty());
    }

    void theLineIsLostAndComesBack()
    {
        send(PacketBuilder::doorStatus(DoorModeBypass, false));
        tick();
        for (int i = 0; i < LinkLostTicks + 1; ++i)
            tick();
        QCOMPARE(linkState().DoorMode, DoorModeNotKnown);
        send(PacketBuilder::doorStatus(DoorModeBypass, false));
        tick();
        QCOMPARE(linkState().DoorMode, DoorModeBypass);
        QCOMPARE(StoredRows::rows(QStringLiteral("SELECT Door_Status FROM DoorStatus_Tbl")),
                 (QList<QStringList>{{"3"}}));
        QVERIFY(line->readFromSlave().isEmpty());
    }

    // A read made while no monitor is open lands with the time it was made,
    // not with the time the monitor is opened.
    void aReadWithTheMonitorClosedLandsWithItsOwnTime()
    {
        startProgram();
        QVERIFY(!FormInstance<frmOnline>::exists());
        at(QTime(9, 0, 0));
        QVERIFY(line->write(codeRead(true, 4660, {}, PacketBuilder::ResultOpened, false, 0x00, 0x0C, 1)));
        QVERIFY(runEventLoopUntil([] { return eventRows() == 1; }));
        at(QTime(9, 40, 0));
        QVERIFY(
            line->write(codeRead(false, 0, QStringLiteral("1234"), PacketBuilder::ResultOpened, true, 0x00, 0x0D, 2) +
                        PacketBuilder::doorStatus(DoorModeSecure, false)));
        QVERIFY(runEventLoopUntil([] { return eventRows() == 2 && linkState().DoorMode == DoorModeSecure; }));
        at(QTime(10, 15, 0));
        frmOnline& monitorWindow = FormInstance<frmOnline>::get();
        QCOMPARE(StoredRows::rows(
                     QStringLiteral("SELECT Date_CR, Time_CR, Employee_Number, sIn FROM tblOnline ORDER BY rowid")),
                 (QList<QStringList>{{"2026-03-02", "09:00:00", "12", "In"}, {"2026-03-02", "09:40:00", "13", "Out"}}));
        QCOMPARE(StoredRows::rows(QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl ORDER BY rowid")),
                 (QList<QStringList>{{"09:00:00"}, {"09:40:00"}}));
        QCOMPARE(StoredRows::rows(QStringLiteral("SELECT Door_Status, Door_time FROM DoorStatus_Tbl")),
                 (QList<QStringList>{{"2", "09:40:00"}}));
        // The monitor shows what was recorded, newest first, and what comes while it is open.
        QCOMPARE(monitorWindow.HistoryLines->rowCount(), 2);
        QCOMPARE(monitorWindow.HistoryLines->lineAt(0).name, QStringLiteral("#13  Jones  Bob"));
        at(QTime(10, 20, 0));
        QVERIFY(line->write(codeRead(true, 4660, {}, PacketBuilder::ResultOpened, true, 0x00, 0x0C, 3)));
        QVERIFY(runEventLoopUntil([&] { return monitorWindow.HistoryLines->rowCount() == 3; }));
        QCOMPARE(monitorWindow.HistoryLines->lineAt(0).dateTime, QStringLiteral("2 Mar 2026 10:20:00"));
        QCOMPARE(eventRows(), 3);
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(line->readFromSlave().isEmpty());
    }

    // A window that keeps the program's thread busy (a report filling, a
    // database another program holds) changes no read's time: the port's
    // own reader takes the bytes as they come.
    void aBusyWindowChangesNoReadsTime()
    {
        startProgram();
        std::thread unit([this] {
            QThread::msleep(100);
            at(QTime(9, 0, 0));
            QVERIFY(line->write(codeRead(true, 4660, {}, PacketBuilder::ResultOpened, false, 0x00, 0x0C, 1)));
            QThread::msleep(600);
            at(QTime(9, 0, 1));
            QVERIFY(line->write(
                codeRead(false, 0, QStringLiteral("1234"), PacketBuilder::ResultOpened, true, 0x00, 0x0D, 2)));
        });
        QTimer::singleShot(0, [] { QThread::msleep(1500); });
        const bool both = runEventLoopUntil([] { return eventRows() == 2; });
        unit.join();
        QVERIFY(both);
        QCOMPARE(StoredRows::rows(QStringLiteral("SELECT Time_CR, Employee_Number FROM tblOnline ORDER BY rowid")),
                 (QList<QStringList>{{"09:00:00", "12"}, {"09:00:01", "13"}}));
        QCOMPARE(StoredRows::rows(QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl ORDER BY rowid")),
                 (QList<QStringList>{{"09:00:00"}, {"09:00:01"}}));
    }

    // The adapter is pulled out with the monitor open, and plugged in again.
    void aVanishedDeviceIsOpenedAgainByItself()
    {
        SerialLink::setRetryIntervalForTests(100);
        frmMain& main = startProgram();
        frmOnline& monitorWindow = FormInstance<frmOnline>::get();
        const auto linkCommandsOn = [&main] {
            return main.ShowInfo[0]->isEnabled() && main.ShowInfo[2]->isEnabled() &&
                   main.ToolbarButton[1]->isEnabled() && main.ToolbarButton[3]->isEnabled();
        };
        QVERIFY(line->write(PacketBuilder::doorStatus(DoorModeNormal, false)));
        QVERIFY(runEventLoopUntil([] { return linkState().DoorMode == DoorModeNormal; }));

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("COM2 is gone")));
        line->closeMaster();
        // The tick that finds the device gone reports it once it has returned.
        QVERIFY(runEventLoopUntil([this] { return !appState().CommOpened && !env->prompts.boxes.isEmpty(); }));
        // At once: the link's commands are off, the monitor stays.
        QVERIFY(!linkCommandsOn());
        QVERIFY(main.ShowInfo[1]->isEnabled());
        QVERIFY(FormInstance<frmOnline>::exists());
        QCOMPARE(env->prompts.texts(),
                 QStringList{QStringLiteral("Funcion error#: 861\rThe device is gone: %1 (Input/output error)(8012)")
                                 .arg(env->file(QStringLiteral("COM2")))});
        // The door is not known: the monitor's panel shows it at its own next tick.
        QVERIFY(runEventLoopUntil([&] { return monitorWindow.ImageDoor->toolTip() == QLatin1String("Unknown"); }));
        QCOMPARE(linkState().DoorMode, DoorModeUnknown);
        // Tries go on quietly while the device is away.
        runEventLoopFor(450);
        QVERIFY(!appState().CommOpened);
        QCOMPARE(env->prompts.boxes.size(), 1);

        // Plugged in again: a new line behind the same port.
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("COM2 is open again")));
        line = std::make_unique<PtyPair>();
        QVERIFY(line->linkAs(env->folder(), 2));
        QVERIFY(runEventLoopUntil([] { return appState().CommOpened; }));
        QVERIFY(linkCommandsOn());
        at(QTime(11, 0, 0));
        QVERIFY(line->write(PacketBuilder::doorStatus(DoorModeBypass, false) +
                            codeRead(true, 4660, {}, PacketBuilder::ResultOpened, false, 0x00, 0x0C, 7)));
        QVERIFY(runEventLoopUntil([&] { return monitorWindow.HistoryLines->rowCount() == 1; }));
        QCOMPARE(linkState().DoorMode, DoorModeBypass);
        QCOMPARE(StoredRows::rows(QStringLiteral("SELECT Time_CR, Employee_Number FROM tblOnline")),
                 (QList<QStringList>{{"11:00:00", "12"}}));
        QCOMPARE(env->prompts.boxes.size(), 1);
    }

    // The unit sends right after its device is back, at the line's pace:
    // every read is stored once, with the second it was sent in, the first
    // too, sent before the program had the device open again.
    void aDeviceBackKeepsTheReadsSentRightAfterItsReturn_data()
    {
        QTest::addColumn<bool>("linkGoneToo");
        QTest::newRow("the link pointed at the new device") << false;
        QTest::newRow("the link removed and made again") << true;
    }

    void aDeviceBackKeepsTheReadsSentRightAfterItsReturn()
    {
        QFETCH(bool, linkGoneToo);
        startProgram();
        QVERIFY(appState().CommOpened);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("COM2 is gone")));
        if (linkGoneToo)
            QFile::remove(env->file(QStringLiteral("COM2")));
        line->closeMaster();
        QVERIFY(runEventLoopUntil([] { return !appState().CommOpened; }));
        runEventLoopFor(600);

        QTest::ignoreMessage(QtInfoMsg, "The serial port COM2 is open again");
        line = std::make_unique<PtyPair>();
        at(QTime(10, 0, 0));
        QVERIFY(line->write(cardRead(4660, 1)));
        QVERIFY(line->linkAs(env->folder(), 2));
        int sent = 1;
        QTimer unit;
        unit.setInterval(800);
        connect(&unit, &QTimer::timeout, this, [&] {
            if (sent == 5)
                return;
            at(QTime(10, 0, sent));
            ++sent;
            QVERIFY(line->write(cardRead(4660, uint8_t(sent))));
        });
        unit.start();
        QVERIFY(runEventLoopUntil([&] { return sent == 5 && eventRows() == 5; }, 10000));
        QCOMPARE(
            StoredRows::rows(QStringLiteral("SELECT Time_CR, Employee_Number FROM tblOnline ORDER BY rowid")),
            (QList<QStringList>{
                {"10:00:00", "12"}, {"10:00:01", "12"}, {"10:00:02", "12"}, {"10:00:03", "12"}, {"10:00:04", "12"}}));
        QCOMPARE(StoredRows::count(QStringLiteral("ReadCard_Tbl")), 5);
    }

    // COM2 is a link to an adapter not there yet when the program starts: the
    // box says so, and once the adapter is there, what it sent is stored,
    // the read sent before the program had it open too.
    void aPortMissingAtTheStartIsReadOnceItsDeviceIsThere()
    {
        const QString adapter = env->file(QStringLiteral("adapter"));
        QFile::remove(env->file(QStringLiteral("COM2")));
        QVERIFY(QFile::link(adapter, env->file(QStringLiteral("COM2"))));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("COM2 does not open")));
        frmMain& main = startProgram();
        QCOMPARE(env->prompts.texts(),
                 QStringList{QStringLiteral("Invalid Port! Please enter to Configuration Setting and fix it.\rCOM 2 is "
                                            "the device %1, through the link %2.\rThe system's reason: No such file "
                                            "or directory\rThe program keeps trying the port and reads it as soon as "
                                            "it opens.")
                                 .arg(adapter, env->file(QStringLiteral("COM2")))});
        runEventLoopFor(300);
        QVERIFY(!appState().CommOpened);
        QVERIFY(!main.ShowInfo[0]->isEnabled());
        QCOMPARE(linkState().DoorMode, DoorModeNotKnown);

        QTest::ignoreMessage(QtInfoMsg, "The serial port COM2 is open");
        line = std::make_unique<PtyPair>();
        at(QTime(7, 58, 0));
        QVERIFY(line->write(cardRead(4660, 1)));
        QVERIFY(QFile::remove(env->file(QStringLiteral("COM2"))));
        QVERIFY(QFile::link(line->slavePath(), adapter));
        QVERIFY(QFile::link(adapter, env->file(QStringLiteral("COM2"))));
        QVERIFY(runEventLoopUntil([] { return appState().CommOpened; }));
        QVERIFY(main.ShowInfo[0]->isEnabled());
        QVERIFY(runEventLoopUntil([] { return eventRows() == 1; }));
        at(QTime(7, 58, 1));
        QVERIFY(line->write(pinRead(QStringLiteral("1234"), 2) + PacketBuilder::doorStatus(DoorModeNormal, false)));
        QVERIFY(runEventLoopUntil([] { return eventRows() == 2 && linkState().DoorMode == DoorModeNormal; }));
        QCOMPARE(StoredRows::rows(QStringLiteral("SELECT Time_CR, Employee_Number FROM tblOnline ORDER BY rowid")),
                 (QList<QStringList>{{"07:58:00", "12"}, {"07:58:01", "13"}}));
        QCOMPARE(env->prompts.boxes.size(), 1);
    }

    // An ordinary user who may not read the device is told why and what to
    // do; once the device may be read, it is.
    void aRefusedPermissionIsShownWithWhatToDo_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("English") << 0 << "Warning" << "Invalid Port! Please enter to Configuration Setting and fix it.\rCOM 2 is the device %1, through the link %2.\rThe system's reason: Permission denied\rReading the device needs the group dialout: an administrator adds the user nobody to it (adduser nobody dialout), and it counts from the next login: log out and log in again.\rThe program keeps trying the port and reads it as soon as it opens.";
        QTest::newRow("German") << 1 << "Warnung" << "Ungültige Schnittstelle! Bitte in den Kommunikationseinstellungen korrigieren.\rCOM 2 ist das Gerät %1, über den Verweis %2.\rGrund laut System: Permission denied\rZum Lesen des Geräts ist die Gruppe dialout nötig: Ein Administrator nimmt den Benutzer nobody darin auf (adduser nobody dialout), und das gilt ab der nächsten Anmeldung: abmelden und wieder anmelden.\rDas Programm versucht es weiter und liest die Schnittstelle, sobald sie sich öffnen lässt.";
        // clang-format on
    }

    void aRefusedPermissionIsShownWithWhatToDo()
    {
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, text);
        if (::geteuid() != 0)
            QSKIP("Only root can act as another user here; this user may read its own terminal");
        if (language == 1)
            TestEnvironment::useGerman();
        // The folder is open to everyone; the terminal is its owner's (root's) and its group's.
        QVERIFY(QFile::setPermissions(env->folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                         QFile::ExeGroup | QFile::ExeOther));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("COM2 does not open.*Permission denied")));
        readSettingsAtStart(static_cast<int16_t>(language));
        auto user = std::make_unique<UnprivilegedThread>();
        QVERIFY(user->ok());
        FormInstance<frmMain>::get();
        user.reset();
        QCOMPARE(env->prompts.boxes.size(), 1);
        QCOMPARE(env->prompts.boxes.first().title, title);
        QCOMPARE(env->prompts.boxes.first().text, text.arg(line->slavePath(), env->file(QStringLiteral("COM2"))));
        QTest::ignoreMessage(QtInfoMsg, "The serial port COM2 is open");
        QVERIFY(runEventLoopUntil([] { return appState().CommOpened; }));
    }

    void thePortCannotBeTakenTwice()
    {
        SerialCommPort other;
        other.setCommPort(2);
        try {
            other.setPortOpen(true);
            QFAIL("opened twice");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), CommError::PortAlreadyOpen);
        }
    }
};

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
