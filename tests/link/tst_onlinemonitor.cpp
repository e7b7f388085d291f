#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "link/LinkState.h"
#include "link/OnlineHistoryModel.h"
#include "link/PacketBuilder.h"
#include "link/ReceiveDispatcher.h"
#include "link/ReceiveLog.h"
#include "link/frmCodes.h"
#include "link/frmOnline.h"
#include "platform/BusyPointer.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/Twips.h"
#include "platform/text/DateTimeText.h"
#include "platform/translation/BinaryDictionary.h"
#include "tests/support/BoxesLeftUp.h"
#include "tests/support/CodeReads.h"
#include "tests/support/DatabaseFaults.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/HeadingsFit.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QAction>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QTreeView>
#include <QtTest>

class OnlineMonitorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    frmMain& startMain(const QString& loginAs = QStringLiteral("vantu"))
    {
        OpenMainDatabase();
        LoadIniSettings();
        appState().LoginPassword = loginAs.leftJustified(8);
        appState().StartupDone = true;
        return FormInstance<frmMain>::get();
    }

    // The unit sends; the main window's receive tick takes it in.
    void send(const QByteArray& bytes)
    {
        env->port->waiting += bytes;
        FormInstance<frmMain>::get().ReceiveTimer_Timer();
        QCoreApplication::sendPostedEvents(); // the tick's boxes
    }

    int onlineRows() { return Db().openSql(QStringLiteral("SELECT count(*) FROM tblOnline")).field(0).toInt16(); }

    void storeEvent(const QString& date, const QString& time, int employee)
    {
        Db().execute(QStringLiteral("INSERT INTO tblOnline (Time_CR, Date_CR, sIn, sCard, Employee_Number, sDoor, "
                                    "sReason, Employee_Full_Name, SlotNumber, CardNum, iIn, iDoor, iCard) "
                                    "VALUES (?, ?, 'In', 'Card', ?, 'Opened', '', '', 0, '1', 1, 1, 1)"),
                     {time, date, employee});
    }

    QString writePicture(const QString& name, Qt::GlobalColor color)
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(color);
        const QString path = env->file(name);
        image.save(path);
        return path;
    }

    static QColor shownColor(const frmOnline& monitor)
    {
        return monitor.EmpImage->picture().toImage().pixelColor(4, 4);
    }

    static int lines(const frmOnline& monitor) { return monitor.HistoryLines->rowCount(); }

    int rowsOf(const QString& table, const QString& condition, const QVariant& value)
    {
        return Db()
            .openSql(QStringLiteral("SELECT count(*) FROM ") + table + QStringLiteral(" WHERE ") + condition, {value})
            .field(0)
            .toInt16();
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
    }

    void cleanup() { env.reset(); }

    // From the moment the port opens, its own timer takes every read and door
    // status in and records it with the time of that tick, with no window open.
    void thePortIsReadWhateverWindowIsOpen()
    {
        frmMain& main = startMain();
        QVERIFY(main.ReceiveTimer->isEnabled());
        env->clock.current = QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0));
        env->port->waiting += cardRead(1001, 1) + PacketBuilder::doorStatus(DoorModeBypass, false);
        QVERIFY(runEventLoopUntil([this] { return onlineRows() == 1 && env->port->waiting.isEmpty(); }));
        env->clock.current = QDateTime(QDate(2026, 3, 2), QTime(9, 30, 0));
        env->port->waiting += cardRead(1002, 2);
        QVERIFY(runEventLoopUntil([this] { return onlineRows() == 2; }));
        QCOMPARE(rowsOf(QStringLiteral("tblOnline"), QStringLiteral("Time_CR = ?"), QStringLiteral("09:00:00")), 1);
        QCOMPARE(rowsOf(QStringLiteral("tblOnline"), QStringLiteral("Time_CR = ?"), QStringLiteral("09:30:00")), 1);
        QCOMPARE(rowsOf(QStringLiteral("DoorStatus_Tbl"), QStringLiteral("Door_time = ?"), QStringLiteral("09:00:00")),
                 1);
        // Windows that come and go change nothing of it.
        FormInstance<frmOnline>::get();
        FormInstance<frmCodes>::get();
        FormInstance<frmOnline>::get().unloadForm();
        FormInstance<frmCodes>::get().unloadForm();
        QVERIFY(main.ReceiveTimer->isEnabled());
    }

    void theHistoryHoldsYesterdayAndTodayNewestFirst()
    {
        env->clock.current = QDateTime(QDate(2026, 3, 10), QTime(12, 0));
        startMain();
        storeEvent(QStringLiteral("2026-03-08"), QStringLiteral("09:00:00"), 1);
        storeEvent(QStringLiteral("2026-03-09"), QStringLiteral("17:00:00"), 2);
        storeEvent(QStringLiteral("2026-03-10"), QStringLiteral("08:00:00"), 3);
        storeEvent(QStringLiteral("2026-03-10"), QStringLiteral("11:30:00"), 4);
        frmOnline& monitor = FormInstance<frmOnline>::get();
        QCOMPARE(lines(monitor), 3);
        QList<int> order;
        for (int i = 0; i < 3; ++i)
            order << monitor.HistoryLines->index(i, 0).data(OnlineHistoryModel::TagRole).toInt();
        // By the moment, even where the short date's text would sort "3/9" above "3/10".
        QCOMPARE(order, (QList<int>{4, 3, 2}));
        QCOMPARE(monitor.HistoryLines->lineAt(2).dateTime, QStringLiteral("9 Mar 2026 17:00:00"));
        QCOMPARE(monitor.History->currentIndex().row(), 0);
        QCOMPARE(monitor.ShownEmpNumber, int16_t(4));
    }

    // Opened on a day with no events yet: after each read the newest line
    // stands first, in view and selected.
    void theNewestLineIsInViewAndSelectedAfterEachRead()
    {
        startMain();
        frmOnline& monitor = FormInstance<frmOnline>::get();
        monitor.showModeless(nullptr);
        monitor.resize(Twips::toPixels(9000), Twips::toPixels(2500)); // room for a line or two
        QCOMPARE(lines(monitor), 0);
        const QDate today = env->clock.current.date();
        const QStringList shown{"2 Mar 2026 10:01:00", "2 Mar 2026 10:02:00", "2 Mar 2026 10:03:00",
                                "2 Mar 2026 10:04:00", "2 Mar 2026 10:05:00", "2 Mar 2026 10:06:00"};
        for (int i = 1; i <= 6; ++i) {
            env->clock.current = QDateTime(today, QTime(10, i, 0));
            env->port->waiting += cardRead(quint32(500 + i), uint8_t(i));
            QVERIFY(runEventLoopUntil([&] { return lines(monitor) == i; }));
            QCOMPARE(monitor.HistoryLines->lineAt(0).dateTime, shown.at(i - 1));
            QCOMPARE(monitor.History->currentIndex().row(), 0);
            const QRect first = monitor.History->visualRect(monitor.HistoryLines->index(0, 0));
            QVERIFY(monitor.History->viewport()->rect().contains(first.topLeft()));
        }
        QCOMPARE(monitor.HistoryLines->lineAt(5).dateTime, QStringLiteral("2 Mar 2026 10:01:00"));
    }

    // While another program holds the database the monitor shows every read
    // as it comes; one opened meanwhile shows those that wait too, and their
    // lines stay whole once they are stored.
    void readsThatWaitForTheDatabaseAreShown()
    {
        startMain();
        frmOnline& before = FormInstance<frmOnline>::get();
        before.showModeless(nullptr);
        storeEvent(QStringLiteral("2026-03-02"), QStringLiteral("08:00:00"), 7);
        auto other = std::make_unique<OtherProgramHoldsTheDatabase>(appState().DbPath);
        env->clock.current = QDateTime(QDate(2026, 3, 2), QTime(10, 1, 0));
        env->port->waiting += cardRead(501, 1);
        QVERIFY(runEventLoopUntil([&] { return lines(before) == 1; }));
        QCOMPARE(before.HistoryLines->lineAt(0).dateTime, QStringLiteral("2 Mar 2026 10:01:00"));
        FormInstance<frmOnline>::unload();
        env->clock.current = QDateTime(QDate(2026, 3, 2), QTime(10, 2, 0));
        env->port->waiting += cardRead(502, 2);
        QVERIFY(runEventLoopUntil([] { return receiveLog().waiting() == 2; }));

        frmOnline& monitor = FormInstance<frmOnline>::get();
        monitor.showModeless(nullptr);
        const auto shownTimes = [&] {
            QStringList times;
            for (int i = 0; i < lines(monitor); ++i)
                times << monitor.HistoryLines->lineAt(i).dateTime;
            return times;
        };
        const QStringList expected{"2 Mar 2026 10:02:00", "2 Mar 2026 10:01:00", "2 Mar 2026 08:00:00"};
        QCOMPARE(shownTimes(), expected);
        QCOMPARE(monitor.History->currentIndex().row(), 0);
        other.reset();
        QVERIFY(runEventLoopUntil([] { return receiveLog().waiting() == 0; }));
        QCOMPARE(onlineRows(), 3);
        QCOMPARE(shownTimes(), expected);
    }

    // A busy door: the list reads the lines it shows, not every event of two days.
    void aBusyDayReadsOnlyTheLinesShown()
    {
        env->clock.current = QDateTime(QDate(2026, 3, 10), QTime(12, 0));
        startMain();
        // 3000 events, one in three on each of the last three days, a second apart.
        Db().execute(
            QStringLiteral("INSERT INTO tblOnline (Time_CR, Date_CR, sIn, sCard, Employee_Number, sDoor, sReason, "
                           "Employee_Full_Name, SlotNumber, CardNum, iIn, iDoor, iCard) "
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                           "SELECT printf('%02d:%02d:%02d', 6 + i / 3600, (i / 60) % 60, i % 60), "
                           "CASE i % 3 WHEN 0 THEN '2026-03-08' WHEN 1 THEN '2026-03-09' ELSE '2026-03-10' END, "
                           "'In', 'Card', i, 'Opened', '', '', 0, '1', 1, 1, 1 FROM n"));
        frmOnline& monitor = FormInstance<frmOnline>::get();
        monitor.showModeless(nullptr);
        monitor.grab();
        QCOMPARE(lines(monitor), 2000);
        QVERIFY2(monitor.HistoryLines->linesRead() < 100,
                 qPrintable(QString::number(monitor.HistoryLines->linesRead())));
        QCOMPARE(monitor.HistoryLines->index(0, 0).data(OnlineHistoryModel::TagRole).toInt(), 2999);
        QCOMPARE(monitor.HistoryLines->lineAt(0).dateTime, QStringLiteral("10 Mar 2026 06:49:59"));
        QCOMPARE(monitor.HistoryLines->index(999, 0).data(OnlineHistoryModel::TagRole).toInt(), 2);
        QCOMPARE(monitor.HistoryLines->index(1000, 0).data(OnlineHistoryModel::TagRole).toInt(), 2998);
        QCOMPARE(monitor.HistoryLines->lineAt(1999).dateTime, QStringLiteral("9 Mar 2026 06:00:01"));
    }

    // Open over midnight: the day before yesterday leaves the list, the rest stays.
    void theDayBeforeYesterdayLeavesWhenTheDayChanges()
    {
        env->clock.current = QDateTime(QDate(2026, 3, 10), QTime(23, 59, 59));
        startMain();
        storeEvent(QStringLiteral("2026-03-08"), QStringLiteral("09:00:00"), 1);
        storeEvent(QStringLiteral("2026-03-09"), QStringLiteral("08:00:00"), 2);
        storeEvent(QStringLiteral("2026-03-09"), QStringLiteral("17:00:00"), 3);
        storeEvent(QStringLiteral("2026-03-10"), QStringLiteral("08:00:00"), 4);
        storeEvent(QStringLiteral("2026-03-10"), QStringLiteral("23:30:00"), 5);
        frmOnline& monitor = FormInstance<frmOnline>::get();
        monitor.showModeless(nullptr);
        QCOMPARE(lines(monitor), 4);
        env->clock.current = QDateTime(QDate(2026, 3, 11), QTime(0, 0, 1));
        QVERIFY(runEventLoopUntil([&] { return lines(monitor) == 2; }));
        QCOMPARE(monitor.HistoryLines->index(0, 0).data(OnlineHistoryModel::TagRole).toInt(), 5);
        QCOMPARE(monitor.HistoryLines->index(1, 0).data(OnlineHistoryModel::TagRole).toInt(), 4);
        env->port->waiting += cardRead(77, 1);
        QVERIFY(runEventLoopUntil([&] { return lines(monitor) == 3; }));
        QCOMPARE(monitor.HistoryLines->lineAt(0).dateTime, QStringLiteral("11 Mar 2026 00:00:01"));
        QCOMPARE(monitor.History->currentIndex().row(), 0);
    }

    void everyReadIsRecordedOnce()
    {
        startMain();
        frmOnline& monitor = FormInstance<frmOnline>::get();
        // Two reads and a door status before the monitor's tick: none is lost.
        send(cardRead(1001, 1) + cardRead(1002, 2) + PacketBuilder::doorStatus(DoorModeSecure, false));
        send(cardRead(1003, 3));
        QCOMPARE(onlineRows(), 3); // recorded by the ticks that took them in
        QCOMPARE(lines(monitor), 0);
        monitor.ReadCardTimer_Timer();
        QCOMPARE(lines(monitor), 3);
        monitor.ReadCardTimer_Timer();
        QCOMPARE(onlineRows(), 3);
        QCOMPARE(lines(monitor), 3);
    }

    // Nobody at the screen: the monitor's own report (a picture that is gone)
    // stays up while a read comes every five ticks. Both timers run as the
    // program runs them, twenty times quicker; the monitor shows every read
    // while its box is up.
    void itsOwnBoxStopsNotTheMonitor()
    {
        constexpr int TickMs = 10;
        frmMain& main = startMain();
        const QString gone = env->file(QStringLiteral("gone.png"));
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, Employee_Code, PictureFile) "
                                    "VALUES (5, '0000000005', ?)"),
                     {gone});
        frmOnline& monitor = FormInstance<frmOnline>::get();
        BoxesLeftUp boxes(env->prompts, 0);
        setPrompts(&boxes);
        main.ReceiveTimer->setIntervalForTests(TickMs);
        monitor.ReadCardTimer->setIntervalForTests(TickMs);
        QVERIFY(main.ReceiveTimer->isEnabled() && monitor.ReadCardTimer->isEnabled());

        int step = 0;
        int shownWhileUp = -1;
        QEventLoop door;
        QTimer unit;
        unit.setInterval(5 * TickMs);
        connect(&unit, &QTimer::timeout, &door, [&] {
            ++step;
            if (step == 1)
                env->port->waiting += cardRead(5, 99);
            else if (step <= 9)
                env->port->waiting += cardRead(quint32(200 + step), uint8_t(step));
            else if (step == 10) {
                shownWhileUp = boxes.up == 1 ? lines(monitor) : -1;
                boxes.closeBox();
            } else if (step > 14)
                door.quit();
        });
        unit.start();
        QTimer::singleShot(30000, &door, &QEventLoop::quit);
        door.exec();
        unit.stop();
        setPrompts(&env->prompts);

        QCOMPARE(boxes.mostUpAtOnce, 1);
        QCOMPARE(env->prompts.texts(),
                 QStringList{QStringLiteral("Funcion error#: 172\rFile not found: %1(53)").arg(gone)});
        QCOMPARE(shownWhileUp, 9);
        QCOMPARE(lines(monitor), 9);
        QCOMPARE(rowsOf(QStringLiteral("ReadCard_Tbl"), QStringLiteral("Action = ?"), 0x20), 9);
    }

    // An employee's own picture that cannot be found is reported; the event is kept.
    void aMissingPictureIsReported()
    {
        startMain();
        const QString gone = env->file(QStringLiteral("gone.png"));
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, Employee_Code, PictureFile) "
                                    "VALUES (5, '0000000005', ?)"),
                     {gone});
        frmOnline& monitor = FormInstance<frmOnline>::get();
        send(cardRead(5, 1));
        monitor.ReadCardTimer_Timer();
        QVERIFY(env->prompts.boxes.isEmpty()); // not inside the tick: once it has returned
        QCoreApplication::sendPostedEvents();
        QCOMPARE(onlineRows(), 1);
        QCOMPARE(env->prompts.boxes.size(), 1);
        QCOMPARE(env->prompts.boxes.first().text,
                 QStringLiteral("Funcion error#: 172\rFile not found: %1(53)").arg(gone));
    }

    void aReadSeenByBothIsRecordedAndCaptured()
    {
        startMain();
        frmOnline& monitor = FormInstance<frmOnline>::get();
        frmCodes& capture = FormInstance<frmCodes>::get();
        capture.show();
        send(cardRead(4242, 7));
        capture.ReadTimer_Timer();
        QVERIFY(!FormInstance<frmCodes>::exists());
        QCOMPARE(linkState().CapturedCode.trimmed(), QStringLiteral("0000004242"));
        QVERIFY(linkState().CodeCaptured);
        monitor.ReadCardTimer_Timer();
        QCOMPARE(onlineRows(), 1);
        QVERIFY(linkState().CodeCaptured); // the monitor's recording leaves the capture standing
    }

    void aPictureThatCannotBeLoadedStopsNoEvent()
    {
        startMain();
        appState().DefaultPictureFile = env->file(QStringLiteral("missing.png"));
        frmOnline& monitor = FormInstance<frmOnline>::get();
        send(cardRead(7, 1));
        monitor.ReadCardTimer_Timer();
        QCOMPARE(onlineRows(), 1);
        QVERIFY(monitor.EmpImage->picture().isNull());
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void theDoorStatusPanel()
    {
        frmMain& main = startMain();
        frmOnline& monitor = FormInstance<frmOnline>::get();
        monitor.ReadCardTimer_Timer();
        QVERIFY(monitor.StatusShown);
        QCOMPARE(linkState().DoorMode, DoorModeUnknown); // nothing reported yet
        QVERIFY(monitor.ImageDoor->isVisibleTo(&monitor));

        send(PacketBuilder::doorStatus(DoorModeSecure, true));
        // Another window took the change flag first: the panel still follows the door.
        linkState().DoorStatusChanged = false;
        monitor.ReadCardTimer_Timer();
        QCOMPARE(linkState().DoorMode, DoorModeSecure);
        QVERIFY(monitor.ImgTamper->isVisibleTo(&monitor) && monitor.lblTamper->isVisibleTo(&monitor));
        const QImage secure = monitor.ImageDoor->picture().toImage();

        send(PacketBuilder::doorStatus(DoorModeSecure, false));
        monitor.ReadCardTimer_Timer();
        QVERIFY(!monitor.ImgTamper->isVisibleTo(&monitor));
        QCOMPARE(monitor.ImageDoor->picture().toImage(), secure);

        // The link went silent with tamper last reported: an unknown door shows no tamper.
        send(PacketBuilder::doorStatus(DoorModeSecure, true));
        monitor.ReadCardTimer_Timer();
        QVERIFY(monitor.ImgTamper->isVisibleTo(&monitor));
        for (int i = 0; i <= LinkLostTicks; ++i)
            main.ReceiveTimer_Timer();
        // The panel's own tick sees the door it shows is no longer the door's.
        monitor.ReadCardTimer_Timer();
        QCOMPARE(linkState().DoorMode, DoorModeUnknown);
        QVERIFY(!monitor.ImgTamper->isVisibleTo(&monitor) && !monitor.lblTamper->isVisibleTo(&monitor));
    }

    void clickingALineShowsItsEmployee()
    {
        startMain();
        const QString own = writePicture(QStringLiteral("ann.png"), Qt::red);
        appState().DefaultPictureFile = writePicture(QStringLiteral("none.png"), Qt::blue);
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, PictureFile) VALUES (5, ?)"), {own});
        const QDate today = env->clock.current.date();
        storeEvent(DateTimeText::isoDate(today), QStringLiteral("08:00:00"), 5);
        storeEvent(DateTimeText::isoDate(today), QStringLiteral("09:00:00"), -1);
        frmOnline& monitor = FormInstance<frmOnline>::get();
        const QModelIndex unknown = monitor.HistoryLines->index(0, 2);
        const QModelIndex ann = monitor.HistoryLines->index(1, 2);
        monitor.History_ItemClick(ann);
        QCOMPARE(monitor.ShownEmpNumber, int16_t(5));
        QCOMPARE(shownColor(monitor), QColor(Qt::red));
        monitor.History_ItemClick(unknown);
        QCOMPARE(monitor.ShownEmpNumber, int16_t(-1));
        QCOMPARE(shownColor(monitor), QColor(Qt::blue));
        monitor.History_ItemClick(ann);
        QCOMPARE(shownColor(monitor), QColor(Qt::red));
    }

    void theListNeverShrinksBelowItsLeast()
    {
        startMain();
        frmOnline& monitor = FormInstance<frmOnline>::get();
        monitor.show();
        monitor.resize(50, 50);
        QCoreApplication::processEvents();
        QCOMPARE(monitor.History->width(), Twips::toPixels(480));
        QCOMPARE(monitor.History->height(), Twips::toPixels(480));
        const int expected[5] = {40, 48, 48, 28, 30};
        for (int c = 0; c < 5; ++c)
            QCOMPARE(monitor.History->columnWidth(c), Twips::toPixels(expected[c]));
    }

    void inAGuardRunClosingEndsTheProgram_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("exit button") << false;
        QTest::newRow("close box") << true;
    }

    void inAGuardRunClosingEndsTheProgram()
    {
        QFETCH(bool, closeBox);
        frmMain& main = startMain(QStringLiteral("lopri"));
        QVERIFY(main.GuardOnly);
        frmOnline& monitor = FormInstance<frmOnline>::get();
        QCOMPARE(monitor.ToolbarButton[3]->text(), QStringLiteral("   Exit   "));
        if (closeBox)
            QVERIFY_THROWS_EXCEPTION(ProgramEnded, monitor.requestClose());
        else
            QVERIFY_THROWS_EXCEPTION(ProgramEnded, monitor.Toolbar1_ButtonClick(3));
    }

    void otherwiseClosingReturnsToTheMainWindow()
    {
        frmMain& main = startMain();
        frmOnline& monitor = FormInstance<frmOnline>::get();
        QCOMPARE(monitor.ToolbarButton[3]->text(), QStringLiteral("   Close   "));
        monitor.Toolbar1_ButtonClick(3);
        QVERIFY(!FormInstance<frmOnline>::exists());
        QVERIFY(main.isVisible());
        QVERIFY(!env->noWindowLeft);
    }

    void printingTheTable()
    {
        startMain();
        frmOnline& monitor = FormInstance<frmOnline>::get();
        monitor.PrintHistory(); // nothing to print: no dialog
        QVERIFY(env->printDialogs.flagsShown.isEmpty());

        for (int i = 0; i < 48; ++i)
            send(cardRead(quint32(100 + i), uint8_t(i + 1)));
        monitor.ReadCardTimer_Timer();
        QCOMPARE(lines(monitor), 48);

        env->printDialogs.answerCancel();
        monitor.PrintHistory();
        QCOMPARE(env->printDialogs.flagsShown, QList<int>{2368});
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(!busyPointerShown());

        PrintRecord record;
        env->printDialogs.answerRecording(record);
        monitor.PrintHistory();
        QCOMPARE(record.pages, 2);
        QCOMPARE(record.documentsEnded, 1);
        QVERIFY(record.drawnBesideTheWindow);
        QVERIFY(record.find(QStringLiteral("On-Line Table")));
        QCOMPARE(record.documentName, QStringLiteral("On-Line Table"));
        QVERIFY(record.textsOnPage(2).first().startsWith(QStringLiteral("Continue --- ")));
        QVERIFY(!record.textsOnPage(1).first().startsWith(QStringLiteral("Continue")));
        const PrintRecord::Text* heading = record.find(QStringLiteral("In/Out"));
        QVERIFY(heading && heading->font.bold && heading->font.underline);
        QCOMPARE(heading->at.x(), 3500.0);
        QVERIFY(!busyPointerShown());
    }

    // "Kommen/Gehen" ran into "Türaktion".
    void thePrintedHeadingsFitTheirColumns_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("English") << false;
        QTest::newRow("German") << true;
    }

    void thePrintedHeadingsFitTheirColumns()
    {
        QFETCH(bool, german);
        startMain();
        if (german)
            BinaryDict().setLanguage(1);
        frmOnline& monitor = FormInstance<frmOnline>::get();
        send(cardRead(100, 1));
        monitor.ReadCardTimer_Timer();
        PrintRecord record;
        env->printDialogs.answerRecording(record);
        monitor.PrintHistory();
        QCOMPARE(record.documentsEnded, 1);
        QCOMPARE(headingsRunningOn(record, 1).join(QLatin1Char(';')), QString());
    }

    // Each column of a printed line stands under its own heading.
    void aPrintedLineHoldsItsColumns()
    {
        startMain();
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, Employee_Code) "
                                    "VALUES (12, 'Ann', 'Smith', '0000004660')"));
        frmOnline& monitor = FormInstance<frmOnline>::get();
        PacketBuilder::CodeReadFields f;
        f.cardNumber = 4660;
        f.out = true;
        f.result = PacketBuilder::ResultSecureMode;
        f.sequence = 1;
        send(PacketBuilder::codeRead(f));
        monitor.ReadCardTimer_Timer();
        const QString when = QStringLiteral("2 Mar 2026 09:00:00");
        PrintRecord record;
        env->printDialogs.answerRecording(record);
        monitor.PrintHistory();
        const PrintRecord::Text* date = record.find(when);
        QVERIFY(date);
        QMap<double, QString> line;
        for (const PrintRecord::Text& t : record.onPage(1)) {
            if (t.at.y() == date->at.y())
                line.insert(t.at.x(), t.text);
        }
        const QMap<double, QString> expected{{600, when},
                                             {3500, QStringLiteral("Out")},
                                             {4500, QStringLiteral("Not opened")},
                                             {6500, QStringLiteral("#12  Smith  Ann")}};
        QCOMPARE(line, expected);
        for (const auto& [x, heading] :
             {std::pair{600.0, "Date"}, {3500.0, "In/Out"}, {4500.0, "Door Action"}, {6500.0, "Name"}}) {
            const PrintRecord::Text* h = record.find(QString::fromLatin1(heading));
            QVERIFY(h);
            QCOMPARE(h->at.x(), x);
        }
    }
};

QTEST_MAIN(OnlineMonitorTest)
#include "tst_onlinemonitor.moc"
