#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "link/PacketBuilder.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "tests/support/BoxesLeftUp.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QEventLoop>
#include <QTimer>
#include <QtTest>

namespace {

// The pace of the test's ticks: the program's 200 ms, twenty times quicker.
constexpr int TickMs = 10;

QByteArray card(quint32 number, uint8_t seq)
{
    PacketBuilder::CodeReadFields f;
    f.cardNumber = number;
    f.sequence = seq;
    return PacketBuilder::codeRead(f);
}

}

// The main window's receive timer itself, run by the event loop, with boxes
// that stay up as long as the guard leaves them.
class ReceiveTimerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    frmMain& openMain()
    {
        env->logInAsAdministrator();
        return FormInstance<frmMain>::get();
    }

    QStringList loggedTimes()
    {
        QStringList times;
        Recordset rs = Db().openSql(QStringLiteral("SELECT Date_Time FROM ReadCard_Tbl ORDER BY rowid"), {},
                                    RecordsetType::Snapshot);
        for (; rs.recordCount() > 0 && !rs.eof(); rs.moveNext())
            times << rs.field(0).textOrEmpty();
        return times;
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
    }
    void cleanup()
    {
        setPrompts(&env->prompts);
        env.reset();
    }

    // The unit sends something every five ticks, each at a second of its own,
    // while the reception's own reports stay on the screen for forty ticks
    // each. Every read is logged once, stamped with the second it came; a
    // second overflow while the first is up is not raised again, and another
    // report waits for the first box to close.
    void noBoxStopsTheReception()
    {
        frmMain& main = openMain();
        QVERIFY(env->port && env->port->open);
        BoxesLeftUp boxes(env->prompts, 40 * TickMs);
        setPrompts(&boxes);
        main.ReceiveTimer->setIntervalForTests(TickMs);
        main.ReceiveTimer->setEnabled(true);

        const QByteArray overflow = PacketBuilder::withLength(250).left(12);
        const QByteArray tooShort = PacketBuilder::packet(0x20, QByteArray(6, 1));
        QList<QByteArray> arrivals{overflow, card(101, 1), card(102, 2), card(103, 3), overflow, card(105, 5),
                                   tooShort};
        for (int i = 7; i <= 15; ++i)
            arrivals << card(quint32(100 + i), uint8_t(i));

        const QDateTime start(QDate(2026, 3, 2), QTime(9, 0, 0));
        qsizetype sent = 0;
        int quietSteps = 0;
        QEventLoop door;
        QTimer unit;
        unit.setInterval(5 * TickMs);
        connect(&unit, &QTimer::timeout, &door, [&] {
            if (sent < arrivals.size()) {
                env->clock.current = start.addSecs(sent);
                env->port->waiting += arrivals.at(sent++);
                return;
            }
            if (boxes.up == 0 && env->port->waiting.isEmpty() && ++quietSteps > 4)
                door.quit();
        });
        unit.start();
        QTimer::singleShot(30000, &door, &QEventLoop::quit);
        door.exec();
        unit.stop();

        QCOMPARE(sent, arrivals.size());
        QCOMPARE(boxes.mostUpAtOnce, 1);
        QCOMPARE(env->prompts.texts(), (QStringList{QStringLiteral("Funcion error#: 863\rOverflow(6)"),
                                                    QStringLiteral("Funcion error#: 861\rSubscript out of range(9)")}));
        QCOMPARE(loggedTimes(), (QStringList{"09:00:01", "09:00:02", "09:00:03", "09:00:05", "09:00:07", "09:00:08",
                                             "09:00:09", "09:00:10", "09:00:11", "09:00:12", "09:00:13", "09:00:14",
                                             "09:00:15"}));
    }
};

QTEST_MAIN(ReceiveTimerTest)
#include "tst_receivetimer.moc"
