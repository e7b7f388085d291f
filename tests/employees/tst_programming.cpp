#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "core/SerialLinkControl.h"
#include "employees/Holidays.h"
#include "employees/frmHoliday.h"
#include "employees/frmProgramming.h"
#include "link/LinkState.h"
#include "link/PacketBuilder.h"
#include "link/ReceiveDispatcher.h"
#include "platform/AppError.h"
#include "platform/forms/DateField.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/TimeBox.h"
#include "tests/employees/EmployeeTestWorld.h"
#include "tests/support/EventLoopWait.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

// The door settings window and its holiday dialog.
class ProgrammingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    static frmProgramming& open() { return showActive<frmProgramming>(); }

    static void type(QWidget* box, const QString& text)
    {
        auto* line = qobject_cast<QLineEdit*>(box);
        if (auto* combo = qobject_cast<QComboBox*>(box))
            line = combo->lineEdit();
        box->setFocus();
        line->selectAll();
        line->del();
        line->setCursorPosition(0);
        QTest::keyClicks(line, text);
    }

    QStringList boxTexts() const { return ::boxTexts(env->prompts); }

    QStringList holidays(const frmProgramming& settings) const
    {
        QStringList texts;
        for (int i = 0; i < settings.lvwHolidays->topLevelItemCount(); ++i)
            texts << settings.lvwHolidays->topLevelItem(i)->text(0) + QLatin1Char(' ') +
                         settings.lvwHolidays->topLevelItem(i)->text(1);
        return texts;
    }

private slots:
    void init()
    {
        env = startAsAdministrator();
        appState().CompanyName = QStringLiteral("Acme");
    }

    void cleanup() { env.reset(); }

    void theRowIsShownAndStoredAtClose()
    {
        FormInstance<frmMain>::get();
        frmProgramming& settings = open();
        QVERIFY(FormInstance<frmMain>::get().ReceiveTimer->isEnabled());
        QCOMPARE(settings.txtDoor->text(), QStringLiteral("Door 1"));
        QCOMPARE(settings.txtTime[0]->displayText(), QStringLiteral("08:00"));
        QCOMPARE(settings.cmbHours[0]->currentText(), QStringLiteral("8"));
        QCOMPARE(settings.txtTime[2]->displayText(), QStringLiteral("__:__"));
        QCOMPARE(settings.txtCompany->text(), QStringLiteral("Acme"));
        type(settings.txtDoor, QStringLiteral("Main gate"));
        type(settings.txtCompany, QStringLiteral("O'Brien & Sons"));
        type(settings.txtTime[1], QStringLiteral("0730"));
        type(settings.cmbHours[1], QStringLiteral("0"));
        type(settings.cmbHours[2], QStringLiteral("5"));
        settings.cmdClose->click();
        QVERIFY(!FormInstance<frmProgramming>::exists());
        QVERIFY(boxTexts().isEmpty());
        // Friday takes the Monday-to-Thursday hours; Saturday its start time.
        QCOMPARE(doorSettingsRow(),
                 (QStringList{"Main gate", "08:00", "8", "07:30", "8", "08:00", "5", "", "0", "O'Brien & Sons"}));
        QCOMPARE(appState().CompanyName, QStringLiteral("O'Brien & Sons"));
        QCOMPARE(appState().DefaultStartTime, QStringLiteral("08:00"));
        // The port is read as long as it is open, whatever window closes.
        QVERIFY(FormInstance<frmMain>::get().ReceiveTimer->isEnabled());
    }

    void theDefaultsFollowTheFirstPeriod()
    {
        frmProgramming& settings = open();
        type(settings.txtTime[0], QString());
        type(settings.cmbHours[0], QStringLiteral("9"));
        settings.cmdClose->click();
        QVERIFY(appState().DefaultStartTime.isEmpty());
        QCOMPARE(appState().DefaultWorkHours, int16_t(9));
    }

    // Hours are whole numbers 0 to 24, checked on leaving the box and again
    // when the window closes, which a bad box keeps open.
    void hoursAreChecked_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("too many") << "30";
        QTest::newRow("fraction") << "7.5";
        QTest::newRow("letters") << "x";
    }

    void hoursAreChecked()
    {
        QFETCH(QString, typed);
        const QStringList before = doorSettingsRow();
        frmProgramming& settings = open();
        type(settings.cmbHours[3], typed);
        settings.txtDoor->setFocus();
        const QString message = QStringLiteral("Invalid Working Hours!\r\nPlease enter a number From: 0 To: 24.");
        QCOMPARE(boxTexts(), QStringList{message});
        QVERIFY(settings.cmbHours[3]->hasFocus());
        settings.close();
        QVERIFY(FormInstance<frmProgramming>::exists());
        QCOMPARE(boxTexts().size(), 2);
        QCOMPARE(settings.SSTab1->currentWidget(), settings.tabWorkingDays);
        QCOMPARE(doorSettingsRow(), before);
        type(settings.cmbHours[3], QStringLiteral("24"));
        settings.close();
        QVERIFY(!FormInstance<frmProgramming>::exists());
        QCOMPARE(doorSettingsRow().at(8), QStringLiteral("24"));
    }

    void aClickWithABadBoxWarnsOnceAndDoesNothing()
    {
        frmProgramming& settings = open();
        type(settings.cmbHours[3], QStringLiteral("25"));
        QTest::mouseClick(settings.cmdClose, Qt::LeftButton);
        QCOMPARE(boxTexts().size(), 1);
        QVERIFY(FormInstance<frmProgramming>::exists());
        QVERIFY(settings.cmbHours[3]->hasFocus());
        type(settings.cmbHours[3], QStringLiteral("2"));
        QTest::mouseClick(settings.cmdClose, Qt::LeftButton);
        QVERIFY(!FormInstance<frmProgramming>::exists());
        QCOMPARE(doorSettingsRow().at(8), QStringLiteral("2"));
    }

    // The close box can leave a time half typed; it is checked before anything is stored.
    void aHalfTypedTimeIsNeverStored()
    {
        const QStringList before = doorSettingsRow();
        frmProgramming& settings = open();
        settings.txtTime[1]->setText(QStringLiteral("08"));
        QCOMPARE(settings.txtTime[1]->displayText(), QStringLiteral("08:__"));
        settings.close();
        QVERIFY(FormInstance<frmProgramming>::exists());
        QCOMPARE(boxTexts(), QStringList{"Invalid Time!\r\nThe Valid Time Format is HH:mm"});
        QCOMPARE(doorSettingsRow(), before);
    }

    void leavingABadTimeEmptiesIt()
    {
        frmProgramming& settings = open();
        type(settings.txtTime[0], QStringLiteral("2500"));
        settings.txtDoor->setFocus();
        QCOMPARE(boxTexts(), QStringList{"Invalid Time!\r\nThe Valid Time Format is HH:mm"});
        QCOMPARE(settings.txtTime[0]->displayText(), QStringLiteral("__:__"));
        QVERIFY(settings.txtTime[0]->hasFocus());
    }

    void anEmptiedHoursBoxShowsZero()
    {
        frmProgramming& settings = open();
        settings.cmbHours[0]->setFocus();
        settings.cmbHours[0]->lineEdit()->selectAll();
        QTest::keyClick(settings.cmbHours[0]->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(settings.cmbHours[0]->currentText(), QStringLiteral("0"));
    }

    // After a load that stopped early the boxes do not hold the row: closing stores nothing.
    void aFailedLoadStoresNothing()
    {
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Hours = 'many', Fri_Start = '09:00'"));
        const QStringList before = doorSettingsRow();
        frmProgramming& settings = open();
        QCOMPARE(boxTexts().size(), 1);
        QVERIFY(boxTexts().first().startsWith(QLatin1String("Funcion error#: 457\r")));
        settings.cmdClose->click();
        QVERIFY(!FormInstance<frmProgramming>::exists());
        QCOMPARE(boxTexts().size(), 1);
        QCOMPARE(doorSettingsRow(), before);
    }

    void resetEmptiesTheLaterPeriods()
    {
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET Sat_Start = '09:00', Sat_Hours = '4'"));
        frmProgramming& settings = open();
        settings.cmdReset->click(); // answered No
        QCOMPARE(settings.txtTime[2]->displayText(), QStringLiteral("09:00"));
        env->prompts.answers.enqueue(MsgBox::Yes);
        settings.cmdReset->click();
        QCOMPARE(env->prompts.boxes.last().text,
                 QStringLiteral("You are going to delete working hours settings.\rAre you sure?"));
        settings.cmdClose->click();
        QCOMPARE(doorSettingsRow().mid(1, 8), (QStringList{"08:00", "8", "", "0", "", "0", "", "0"}));
    }

    void theReportsCanFocusAWorkingDaysBox()
    {
        frmProgramming& settings = open();
        QCOMPARE(settings.SSTab1->currentWidget(), settings.tabDoor);
        settings.FocusWorkingDaysField(settings.cmbHours[0]);
        QCOMPARE(settings.SSTab1->currentWidget(), settings.tabWorkingDays);
        QVERIFY(settings.cmbHours[0]->hasFocus());
        settings.FocusWorkingDaysField(settings.txtTime[0]);
        QVERIFY(settings.txtTime[0]->hasFocus());
    }

    void theDoorStatusIsShownLive()
    {
        frmProgramming& settings = open();
        QCOMPARE(settings.lblStatus->text(), QStringLiteral("Unknown"));
        LinkState& link = linkState();
        link.DoorMode = DoorModeSecure;
        link.DoorStatusChanged = true;
        settings.DoorsTimer_Timer();
        QCOMPARE(settings.lblStatus->text(), QStringLiteral("Secure"));
        QVERIFY(!link.DoorStatusChanged);
        // The monitor took the flag first: the change still shows.
        link.DoorMode = DoorModeBypass;
        settings.DoorsTimer_Timer();
        QCOMPARE(settings.lblStatus->text(), QStringLiteral("Bypass"));
        QVERIFY(!settings.ImageDoor->picture().isNull());
    }

    void theDoorShowsUnknownOnceTheLinkIsLost_data()
    {
        QTest::addColumn<bool>("portCloses");
        QTest::newRow("a long silence") << false;
        QTest::newRow("a port that does not open again") << true;
    }

    // With the program's own timers: a lost link leaves the door's state
    // unknown, and the window shows it so.
    void theDoorShowsUnknownOnceTheLinkIsLost()
    {
        QFETCH(bool, portCloses);
        frmMain& main = FormInstance<frmMain>::get();
        frmProgramming& settings = open();
        env->port->waiting += PacketBuilder::doorStatus(DoorModeSecure, false);
        QVERIFY(runEventLoopUntil([&] { return settings.lblStatus->text() == QLatin1String("Secure"); }));
        if (portCloses) {
            env->port->missing = {5};
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("COM5 does not open")));
            QVERIFY_THROWS_EXCEPTION(AppError, main.serialLink().open(5));
        } else {
            linkState().RxIdleTicks = LinkLostTicks; // a little over 160 s without a door status
        }
        QVERIFY(runEventLoopUntil([&] { return settings.lblStatus->text() == QLatin1String("Unknown"); }));
    }

    // The holiday columns share the width the list has once its page is
    // shown: 40 and 60 hundredths of it less 240 twips (16 pixels at 96 dots
    // an inch), the remainder of the hundredths dropped.
    void theHolidayColumnsShareTheListsWidth()
    {
        Holidays::add(Db(), QDate(2000, 12, 25), QStringLiteral("Christmas Day"));
        frmProgramming& settings = open();
        settings.SSTab1->setCurrentWidget(settings.tabHolidays);
        const int list = settings.lvwHolidays->width();
        const int date = settings.lvwHolidays->columnWidth(0);
        const int name = settings.lvwHolidays->columnWidth(1);
        const QString sizes = QStringLiteral("list %1, columns %2 and %3").arg(list).arg(date).arg(name);
        QVERIFY2(list > 300, qPrintable(sizes));
        QVERIFY2(qAbs(date * 3 - name * 2) <= 3, qPrintable(sizes));
        QVERIFY2(list - 16 - (date + name) >= 0 && list - 16 - (date + name) <= 8, qPrintable(sizes));
    }

    // The holiday dialog takes a dialog's keys: Enter in a field presses Ok, Esc Cancel.
    void theHolidayDialogTakesEnterAndEsc_data()
    {
        QTest::addColumn<bool>("inTheDate");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("Enter in the name") << false << int(Qt::Key_Return) << QStringList{"01-May May Day"};
        QTest::newRow("keypad Enter in the date") << true << int(Qt::Key_Enter) << QStringList{"01-May May Day"};
        QTest::newRow("Esc in the name") << false << int(Qt::Key_Escape) << QStringList{};
    }

    void theHolidayDialogTakesEnterAndEsc()
    {
        QFETCH(bool, inTheDate);
        QFETCH(int, key);
        QFETCH(QStringList, listed);
        frmProgramming& settings = open();
        bool closed = false;
        env->modalSteps.enqueue([&](Form& form) {
            auto& dialog = static_cast<frmHoliday&>(form);
            dialog.dtpHoliday->setDate(QDate(2000, 5, 1));
            dialog.txtHolliday->setText(QStringLiteral("May Day"));
            QWidget* field = inTheDate ? static_cast<QWidget*>(dialog.dtpHoliday) : dialog.txtHolliday;
            field->setFocus();
            const auto modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
            QTest::keyClick(field, static_cast<Qt::Key>(key), modifiers);
            closed = !FormInstance<frmHoliday>::exists();
            if (!closed)
                dialog.Quit->click();
        });
        settings.cmdNew->click();
        QVERIFY(closed);
        QCOMPARE(holidays(settings), listed);
        QVERIFY(boxTexts().isEmpty());
    }

    // The day is taken as typed, the month as a number or by the language's
    // name or abbreviation, with or without its full stop; Enter presses Ok.
    // What cannot be read is refused and the dialog stays with it, never
    // another day stored in its place.
    void theHolidayIsTheDayTyped_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty: refused
        // clang-format off
        QTest::newRow("de_DE abbreviation without its full stop") << "de_DE" << "25 Dez" << "2000-12-25";
        QTest::newRow("de_DE as shown") << "de_DE" << "25. Dez." << "2000-12-25";
        QTest::newRow("de_DE full name") << "de_DE" << "3 oktober" << "2000-10-03";
        QTest::newRow("de_DE numbers") << "de_DE" << "1.5." << "2000-05-01";
        QTest::newRow("de_DE 29 February") << "de_DE" << "2902" << "2000-02-29";
        QTest::newRow("de_DE no such month") << "de_DE" << "25 Dex" << "";
        QTest::newRow("de_DE 31 November") << "de_DE" << "31.11" << "";
        QTest::newRow("en_US") << "en_US" << "25 Dec" << "2000-12-25";
        QTest::newRow("en_US month first") << "en_US" << "Jul 4" << "2000-07-04";
        QTest::newRow("C") << "C" << "25 12" << "2000-12-25";
        QTest::newRow("C nothing") << "C" << " " << "";
        // clang-format on
    }

    void theHolidayIsTheDayTyped()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QLocale::setDefault(QLocale(locale));
        frmProgramming& settings = open();
        bool closed = false;
        QString shownAfter;
        bool focusAfter = false;
        env->modalSteps.enqueue([&](Form& form) {
            auto& dialog = static_cast<frmHoliday&>(form);
            dialog.txtHolliday->setText(QStringLiteral("Day"));
            dialog.dtpHoliday->setFocus();
            QTest::keyClick(dialog.dtpHoliday, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(dialog.dtpHoliday, typed);
            QTest::keyClick(dialog.dtpHoliday, Qt::Key_Return);
            closed = !FormInstance<frmHoliday>::exists();
            if (closed)
                return;
            shownAfter = dialog.dtpHoliday->text();
            focusAfter = dialog.focusWidget() == dialog.dtpHoliday && dialog.dtpHoliday->selectedText() == shownAfter;
            dialog.Quit->click();
        });
        settings.cmdNew->click();
        QLocale::setDefault(QLocale::c());
        Recordset rs = Db().openSql(QStringLiteral("SELECT Date, Description FROM tblHolidays"));
        if (stored.isEmpty()) {
            QVERIFY(!closed);
            QCOMPARE(boxTexts(), QStringList{"Invalid Date!"});
            QCOMPARE(shownAfter, typed.trimmed());
            QVERIFY(focusAfter);
            QCOMPARE(rs.recordCount(), 0);
            return;
        }
        QVERIFY(closed);
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(rs.field(0).textOrEmpty(), stored);
        QCOMPARE(rs.field(1).textOrEmpty(), QStringLiteral("Day"));
    }

    void holidaysAreAddedAndDeleted()
    {
        frmProgramming& settings = open();
        auto addHoliday = [this](int month, int day, const QString& name) {
            env->modalSteps.enqueue([=](Form& form) {
                auto& dialog = static_cast<frmHoliday&>(form);
                QCOMPARE(dialog.dtpHoliday->date(), QDate(2000, 1, 1));
                dialog.dtpHoliday->setDate(QDate(2000, month, day));
                dialog.txtHolliday->setText(name);
                dialog.cmdSave->click();
                // Refused, the dialog stays for another date or Cancel.
                if (FormInstance<frmHoliday>::exists())
                    dialog.Quit->click();
            });
        };
        addHoliday(12, 25, QStringLiteral("Christmas"));
        settings.cmdNew->click();
        addHoliday(2, 29, QStringLiteral("Leap"));
        settings.cmdNew->click();
        addHoliday(1, 5, QString());
        settings.cmdNew->click();
        QCOMPARE(holidays(settings), (QStringList{"05-Jan ", "29-Feb Leap", "25-Dec Christmas"}));
        addHoliday(12, 25, QStringLiteral("Again"));
        settings.cmdNew->click();
        QCOMPARE(boxTexts(), QStringList{"This Date already exist"});
        QCOMPARE(holidays(settings).size(), 3);

        // Dates sort as dates, not by their text.
        settings.lvwHolidays_ColumnClick(0);
        QCOMPARE(holidays(settings), (QStringList{"25-Dec Christmas", "29-Feb Leap", "05-Jan "}));

        settings.lvwHolidays->setCurrentItem(settings.lvwHolidays->topLevelItem(0));
        env->prompts.answers.enqueue(MsgBox::Yes);
        settings.cmdDelete->click();
        QCOMPARE(env->prompts.boxes.last().text, QStringLiteral("Are you sure you want to delete the Date?\r\n25-Dec"));
        QCOMPARE(holidays(settings), (QStringList{"05-Jan ", "29-Feb Leap"}));
        Recordset rs = Db().openSql(QStringLiteral("SELECT Date FROM tblHolidays ORDER BY Date"));
        QCOMPARE(rs.field(0).textOrEmpty(), QStringLiteral("2000-01-05"));
    }
};

QTEST_MAIN(ProgrammingTest)
#include "tst_programming.moc"
