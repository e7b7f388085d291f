#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "employees/EmployeeHandOver.h"
#include "employees/frmDetails.h"
#include "employees/frmEmployees.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FrameAnimation.h"
#include "platform/forms/Twips.h"
#include "tests/employees/EmployeeTestWorld.h"
#include "tests/support/RecordingPrintBackend.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QPointer>
#include <QSvgRenderer>
#include <QTreeWidget>
#include <QtTest>

// The register's list window.
class EmployeeListTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    static void addEmployee(int number, const QString& last, const QVariant& slot = 0, int kind = 0)
    {
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, SlotNumber, "
                                    "PinProx) VALUES (?, 'First', ?, ?, ?)"),
                     {number, last, slot, kind});
    }

    static QStringList column(const frmEmployees& list, int c)
    {
        QStringList texts;
        for (int i = 0; i < list.lvwEmployees->topLevelItemCount(); ++i)
            texts << list.lvwEmployees->topLevelItem(i)->text(c);
        return texts;
    }

    static frmEmployees& open() { return showActive<frmEmployees>(); }

    static QImage iconImage(const frmEmployees& list, int row)
    {
        return list.lvwEmployees->topLevelItem(row)->icon(0).pixmap(16).toImage();
    }

    static QList<int> columnWidths(const frmEmployees& list)
    {
        QList<int> widths;
        for (int c = 0; c < list.lvwEmployees->columnCount(); ++c)
            widths << list.lvwEmployees->columnWidth(c);
        return widths;
    }

private slots:
    void init() { env = startAsAdministrator(); }

    void cleanup() { env.reset(); }

    void theListShowsWhoIsAllowed()
    {
        addEmployee(3, QStringLiteral("Card"), 3, 2);
        addEmployee(1, QStringLiteral("Pin"), 5, 1);
        addEmployee(2, QStringLiteral("None"), 0, 1);
        addEmployee(4, QStringLiteral("Null"), QVariant(), 0);
        frmEmployees& list = open();
        QCOMPARE(column(list, 3), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(column(list, 0), (QStringList{"Allowed", "Unallowed", "Allowed", "Unallowed"}));
        QCOMPARE(column(list, 4), (QStringList{"5", "0", "3", "0"}));
        // A PIN shows the PIN picture, a card the card picture.
        QCOMPARE(iconImage(list, 0), QIcon(QStringLiteral(":/employees/pin.svg")).pixmap(16).toImage());
        QCOMPARE(iconImage(list, 2), QIcon(QStringLiteral(":/employees/card.svg")).pixmap(16).toImage());
        QVERIFY(iconImage(list, 0) != iconImage(list, 2));
        QVERIFY(list.lvwEmployees->topLevelItem(1)->icon(0).isNull());
        QVERIFY(list.lvwEmployees->topLevelItem(3)->icon(0).isNull());
        QCOMPARE(list.lvwEmployees->currentItem(), list.lvwEmployees->topLevelItem(0));
    }

    // The list fills the window as it is shown and resized, and its columns
    // share its width (at 96 dots an inch, 15 twips a pixel).
    void theListFollowsTheWindow()
    {
        frmEmployees& list = open();
        QCOMPARE(Twips::toPixels(1440), 96);
        list.resize(711, 500); // a list 10 260 twips wide: units of 100 twips
        QCOMPARE(list.lvwEmployees->geometry(), QRect(16, 64, 684, 428));
        QCOMPARE(columnWidths(list), (QList<int>{153, 153, 153, 120, 80}));
        list.resize(40, 40); // narrowed to almost nothing: 480 by 480 twips
        QCOMPARE(list.lvwEmployees->size(), QSize(32, 32));
        QCOMPARE(columnWidths(list), (QList<int>{3, 3, 3, 2, 2}));
    }

    // Numbers sort as numbers: 9 before 10 before 100.
    void columnsSortByTheirKind()
    {
        for (int n : {100, 9, 10})
            addEmployee(n, QStringLiteral("L%1").arg(n), 110 - n);
        frmEmployees& list = open();
        list.lvwEmployees_ColumnClick(3); // the first click sorts descending
        QCOMPARE(column(list, 3), (QStringList{"100", "10", "9"}));
        list.lvwEmployees_ColumnClick(3);
        QCOMPARE(column(list, 3), (QStringList{"9", "10", "100"}));
        list.lvwEmployees_ColumnClick(4);
        QCOMPARE(column(list, 4), (QStringList{"101", "100", "10"}));
        list.lvwEmployees_ColumnClick(1);
        QCOMPARE(column(list, 1), (QStringList{"L10", "L100", "L9"}));
        // The order holds through a refill.
        list.FillEmployeeList();
        QCOMPARE(column(list, 1), (QStringList{"L10", "L100", "L9"}));
        list.SetSortingOff();
        list.FillEmployeeList();
        QCOMPARE(column(list, 3), (QStringList{"9", "10", "100"}));
    }

    void deleteRemovesOnlyTheRegisterRow()
    {
        addEmployee(7, QStringLiteral("Smith"));
        addEmployee(70, QStringLiteral("Other"));
        Db().execute(
            QStringLiteral("INSERT INTO tblOnline (Employee_Number, Date_CR, Time_CR) VALUES (7, '2026-03-02', "
                           "'09:00:00')"));
        frmEmployees& list = open();
        list.lvwEmployees->setCurrentItem(list.lvwEmployees->topLevelItem(0));
        list.ToolbarButton[2]->trigger(); // answered No
        QCOMPARE(column(list, 3), (QStringList{"7", "70"}));
        QCOMPARE(env->prompts.boxes.last().text, QStringLiteral("Are you sure you want to delete this Employee?"));

        QString frameTitle;
        bool disabled = false;
        QTimer::singleShot(0, &list, [&] {
            frameTitle = list.FrameDel->title();
            disabled = !list.isEnabled();
        });
        env->prompts.answers.enqueue(MsgBox::Yes);
        const int waits = env->clock.waits;
        list.ToolbarButton[2]->trigger();
        QCOMPARE(frameTitle, QStringLiteral(" Deleting - Smith First"));
        QVERIFY(disabled);
        QVERIFY(env->clock.waits > waits);
        QCOMPARE(column(list, 3), QStringList{"70"});
        QVERIFY(list.isEnabled());
        QVERIFY(!list.FrameDel->isVisible());
        QCOMPARE(
            Db().openSql(QStringLiteral("SELECT count(*) FROM tblOnline WHERE Employee_Number = 7")).field(0).toInt16(),
            int16_t(1));
    }

    // The close box in the pause after a deletion closes the list once the deletion has ended.
    void closingDuringADeletionWaitsForItsEnd()
    {
        addEmployee(7, QStringLiteral("Smith"));
        frmEmployees& list = open();
        const QPointer<frmEmployees> window(&list);
        list.lvwEmployees->setCurrentItem(list.lvwEmployees->topLevelItem(0));
        bool closedInThePause = false;
        QTimer::singleShot(0, &list, [&] {
            closedInThePause = !list.isEnabled();
            list.close();
        });
        env->prompts.answers.enqueue(MsgBox::Yes);
        list.ToolbarButton[2]->trigger();
        QVERIFY(closedInThePause);
        QVERIFY(window);
        QCOMPARE(column(list, 3), QStringList{});
        QVERIFY(!FormInstance<frmEmployees>::exists());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
    }

    void anEmptyListDoesNothing()
    {
        frmEmployees& list = open();
        for (int b : {2, 3, 4})
            list.ToolbarButton[b]->trigger();
        list.lvwEmployees_DblClick();
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(env->printDialogs.flagsShown.isEmpty());
        QVERIFY(env->modalWindows.isEmpty());
    }

    void editOpensTheSelectedEmployeeAndRefills()
    {
        addEmployee(5, QStringLiteral("Five"));
        addEmployee(8, QStringLiteral("Eight"));
        frmEmployees& list = open();
        list.lvwEmployees->setCurrentItem(list.lvwEmployees->topLevelItem(1));
        int16_t opened = 0;
        env->modalSteps.enqueue([&](Form& form) {
            auto& editor = static_cast<frmDetails&>(form);
            opened = employeeHandOver().CurEmpNo;
            editor.txtLastName->setText(QStringLiteral("Changed"));
            editor.txtLastName->setFocus();
            env->prompts.answers.enqueue(MsgBox::Yes);
            editor.ToolbarButton[6]->trigger();
        });
        list.ToolbarButton[3]->trigger();
        QCOMPARE(env->modalWindows, QStringList{"frmDetails"});
        QCOMPARE(opened, int16_t(8));
        QCOMPARE(column(list, 1), (QStringList{"Five", "Changed"}));
        QCOMPARE(list.lvwEmployees->currentItem(), list.lvwEmployees->topLevelItem(0));
    }

    void newOpensTheEditorForANewEmployee()
    {
        frmEmployees& list = open();
        bool isNew = false;
        env->modalSteps.enqueue([&](Form& form) {
            isNew = employeeHandOver().NewEmployee;
            auto& editor = static_cast<frmDetails&>(form);
            editor.txtUserNum->setText(QStringLiteral("21"));
            editor.txtUserNum->setFocus();
            editor.ToolbarButton[1]->trigger();
            editor.ToolbarButton[6]->trigger();
        });
        list.ToolbarButton[1]->trigger();
        QVERIFY(isNew);
        QCOMPARE(column(list, 3), QStringList{"21"});
    }

    void printGoesInTheListsOrder()
    {
        for (int n : {1, 2, 3})
            addEmployee(n, QStringLiteral("L%1").arg(n));
        frmEmployees& list = open();
        list.lvwEmployees_ColumnClick(1);
        PrintRecord record;
        env->printDialogs.answerRecording(record);
        list.ToolbarButton[4]->trigger();
        QStringList printed = record.textsOnPage(1).filter(QRegularExpression(QStringLiteral("^L\\d$")));
        QCOMPARE(printed, (QStringList{"L3", "L2", "L1"}));
        // The job goes by what it prints, in the queue and as the PDF's title.
        QCOMPARE(record.documentName, QStringLiteral("Employees' List"));
        QVERIFY(record.drawnBesideTheWindow);
    }

    void thePicturesLoad()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        const QStringList names = QDir(QStringLiteral(":/employees")).entryList(QDir::Files);
        QVERIFY(names.size() >= 14);
        for (const QString& name : names) {
            const QSvgRenderer renderer(QStringLiteral(":/employees/") + name);
            QVERIFY2(renderer.isValid(), qPrintable(name));
        }
        FrameAnimation clip;
        QVERIFY(clip.open({QStringLiteral(":/employees/shred1.svg"), QStringLiteral(":/employees/shred2.svg")}));
        QVERIFY(!clip.open({QStringLiteral(":/employees/missing.svg")}));
        clip.play();
        QVERIFY(!clip.isPlaying());
    }
};

QTEST_MAIN(EmployeeListTest)
#include "tst_employeelist.moc"
