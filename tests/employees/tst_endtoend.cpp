#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "employees/frmDetails.h"
#include "employees/frmEmployees.h"
#include "link/OnlineHistoryModel.h"
#include "link/PacketBuilder.h"
#include "link/SerialLink.h"
#include "link/frmCodes.h"
#include "link/frmOnline.h"
#include "platform/forms/FormRegistry.h"
#include "platform/serial/CommPort.h"
#include "platform/serial/CommPortFactory.h"
#include "tests/employees/EmployeeTestWorld.h"
#include "tests/support/CodeReads.h"
#include "tests/support/PtyPair.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QtTest>

// An administrator adds an employee through the list and the editor, gives
// them the code read next at the unit over the serial cable (a pseudo-terminal),
// and the next read of that code is logged under the employee's name.
class EmployeesEndToEndTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    std::unique_ptr<PtyPair> line;

    // The unit sends; the bytes reach the program's port (bounded wait).
    bool send(const QByteArray& bytes)
    {
        CommPort& port = FormInstance<frmMain>::get().AccessComm->port();
        const int before = port.inBufferCount();
        if (!line->write(bytes))
            return false;
        QDeadlineTimer deadline(2000);
        while (port.inBufferCount() < before + bytes.size() && !deadline.hasExpired())
            QThread::usleep(200);
        return port.inBufferCount() == before + bytes.size();
    }

private slots:
    void init()
    {
        env = startAsAdministrator();
        setCommPortFactoryForTests(nullptr); // the real serial port
        line = std::make_unique<PtyPair>();
        QVERIFY(line->isOpen());
        QVERIFY(line->linkAs(env->folder(), 1));
    }

    void cleanup()
    {
        env.reset();
        line.reset();
    }

    void aNewEmployeeIsKnownAtTheDoor()
    {
        frmMain& main = FormInstance<frmMain>::get();
        QVERIFY(appState().CommOpened);
        main.ShowInfo_Click(1);
        frmEmployees& list = FormInstance<frmEmployees>::get();

        bool captured = false;
        env->modalSteps.enqueue([&](Form& form) {
            auto& editor = static_cast<frmDetails&>(form);
            showActive<frmDetails>();
            for (const auto& [box, text] : {std::pair{editor.txtUserNum, "42"}, std::pair{editor.txtFirstName, "ann"},
                                            std::pair{editor.txtLastName, "Smith"}}) {
                box->setFocus();
                box->setText(QString::fromLatin1(text));
            }
            editor.ToolbarButton[1]->trigger();
            // Add Code: the capture dialog waits for the next read at the unit.
            env->modalSteps.enqueue([&](Form& capture) {
                if (!send(cardRead(4660, 1, PacketBuilder::ResultOpened, 9)))
                    return;
                main.ReceiveTimer_Timer();
                static_cast<frmCodes&>(capture).ReadTimer_Timer();
                captured = !FormInstance<frmCodes>::exists();
            });
            editor.cmdCard->click();
            editor.ToolbarButton[6]->trigger();
        });
        list.ToolbarButton[1]->trigger();
        QVERIFY(captured);
        QCOMPARE(env->modalWindows, (QStringList{"frmDetails", "frmCodes"}));
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(!FormInstance<frmDetails>::exists());
        QCOMPARE(list.lvwEmployees->topLevelItem(0)->text(0), QStringLiteral("Allowed"));
        QCOMPARE(list.lvwEmployees->topLevelItem(0)->text(4), QStringLiteral("9"));

        // The next read of that card is recorded under Ann's name; the read
        // that gave her the card was recorded as a code nobody held yet.
        main.ShowInfo_Click(0);
        frmOnline& monitor = FormInstance<frmOnline>::get();
        QVERIFY(send(cardRead(4660, 2, PacketBuilder::ResultOpened, 9)));
        main.ReceiveTimer_Timer();
        monitor.ReadCardTimer_Timer();
        Recordset rs =
            Db().openSql(QStringLiteral("SELECT Employee_Number, Employee_Full_Name FROM tblOnline ORDER BY rowid"));
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(rs.field(0).toInt16(), int16_t(-1));
        rs.moveNext();
        QCOMPARE(rs.field(0).toInt16(), int16_t(42));
        QCOMPARE(rs.field(1).textOrEmpty(), QStringLiteral("42  Smith  Ann"));
        QCOMPARE(monitor.HistoryLines->rowCount(), 2);
        QCOMPARE(monitor.HistoryLines->lineAt(0).name, QStringLiteral("#42  Smith  Ann"));
        QVERIFY(line->readFromSlave().isEmpty());
    }
};

QTEST_MAIN(EmployeesEndToEndTest)
#include "tst_endtoend.moc"
