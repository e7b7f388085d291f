#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/ReportKind.h"
#include "platform/forms/AnimationBox.h"
#include "platform/forms/DateField.h"
#include "platform/forms/FormRegistry.h"
#include "platform/widgets/WidgetPrompts.h"
#include "reports/framework/SortOrder.h"
#include "reports/framework/frmEmpReport.h"
#include "reports/framework/frmWorkingHours.h"
#include "tests/support/BoxAnswerer.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

using namespace ReportFixture;

// Today is Monday 2 March 2026 (the test clock).
class FilterWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    frmEmpReport& open()
    {
        frmEmpReport& w = FormInstance<frmEmpReport>::get();
        w.showModeless(nullptr);
        return w;
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        env = std::make_unique<WindowTestEnvironment>();
        env->openNewDatabase();
    }
    void cleanup()
    {
        env.reset();
        QLocale::setDefault(QLocale::c());
    }

    void theWindowLoadsItsDefaults()
    {
        ReportKind = 4;
        SortOrder = QStringLiteral("DESC");
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Start = '07:45', MonThu_Hours = 9"));
        frmEmpReport& w = open();
        QCOMPARE(ReportKind, int16_t(0));
        QVERIFY(w.Option1[0]->isChecked());
        QCOMPARE(w.MaskFromDate->date(), QDate(2026, 2, 23));
        QCOMPARE(w.MaskToDate->date(), QDate(2026, 3, 2));
        QCOMPARE(w.MaskFromDate->text(), QStringLiteral("2/23/2026"));
        QCOMPARE(w.MaskToDate->text(), QStringLiteral("3/2/2026"));
        QCOMPARE(w.txtFromEmp->text(), QStringLiteral("1"));
        QCOMPARE(w.txtToEmp->text(), QStringLiteral("500"));
        QCOMPARE(SortOrder, QStringLiteral("Asc"));
        QCOMPARE(appState().DefaultStartTime, QStringLiteral("07:45"));
        QCOMPARE(appState().DefaultWorkHours, int16_t(9));
        QVERIFY(w.ValidateFilters());
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void anEmptyStartTimeLeavesTheDefaultAsItWas()
    {
        appState().DefaultStartTime = QStringLiteral("08:15");
        appState().DefaultWorkHours = 7;
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Start = '', MonThu_Hours = NULL"));
        open();
        QCOMPARE(appState().DefaultStartTime, QStringLiteral("08:15"));
        QCOMPARE(appState().DefaultWorkHours, int16_t(7));
    }

    // Unlike the main window's load, this one takes stored hours of 0.
    void storedHoursOfZeroAreTaken()
    {
        appState().DefaultWorkHours = 7;
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Hours = 0"));
        open();
        QCOMPARE(appState().DefaultWorkHours, int16_t(0));
        QCOMPARE(appState().DefaultStartTime, QStringLiteral("08:00"));
    }

    void onlyDigitsCanBeTyped()
    {
        frmEmpReport& w = open();
        w.txtFromEmp->clear();
        w.txtFromEmp->setFocus();
        QTest::keyClicks(w.txtFromEmp, QStringLiteral("a1- 2x"));
        QCOMPARE(w.txtFromEmp->text(), QStringLiteral("12"));
        QTest::keyClick(w.txtFromEmp, Qt::Key_Backspace);
        QCOMPARE(w.txtFromEmp->text(), QStringLiteral("1"));
    }

    void leavingAFieldAbove500IsRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        QTest::newRow("500") << "500" << false;
        QTest::newRow("501") << "501" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("far too many digits") << "99999999999999999999" << true;
    }

    void leavingAFieldAbove500IsRefused()
    {
        QFETCH(QString, text);
        QFETCH(bool, refused);
        frmEmpReport& w = open();
        w.activateWindow();
        w.txtFromEmp->setText(text);
        w.txtFromEmp->setFocus();
        w.CheckFromEmpLimit();
        QCOMPARE(env->prompts.texts(),
                 refused ? QStringList{QStringLiteral("Employee number must be below 500")} : QStringList{});
        if (refused) {
            QCOMPARE(env->prompts.boxes.first().title, QStringLiteral("Warning"));
            QCOMPARE(w.txtFromEmp->selectedText(), text);
        }
    }

    void theFiltersAreChecked_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QDate>("fromDate");
        QTest::addColumn<QDate>("toDate");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QDate today(2026, 3, 2);
        // clang-format off
        QTest::newRow("both employees empty") << "" << "" << today << today << "You Must Input Employee Number!" << "from";
        QTest::newRow("last employee empty") << "3" << " " << today << today << "You Must Input Employee Number!" << "to";
        QTest::newRow("one employee") << "7" << "7" << today << today << "" << "";
        QTest::newRow("first above last") << "8" << "7" << today << today
                                          << "'From Employee' Must be below 'To Employee' !" << "from";
        QTest::newRow("numbers, not texts, compared") << "9" << "10" << today << today << "" << "";
        // clang-format on
        // A toolbar button takes no focus: the limit is checked at the launch too.
        // clang-format off
        QTest::newRow("above 500 at the launch") << "1" << "501" << today << today
                                                 << "Employee number must be below 500" << "to";
        QTest::newRow("first day after the last") << "1" << "500" << today << today.addDays(-1)
                                                  << "'From Date' Must be below 'To date' !" << "";
        QTest::newRow("last day tomorrow") << "1" << "500" << today << today.addDays(1)
                                           << "'To Date' Must be below Current date !" << "";
        // clang-format on
    }

    void theFiltersAreChecked()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QDate, fromDate);
        QFETCH(QDate, toDate);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        frmEmpReport& w = open();
        w.activateWindow();
        w.Option1[ReportKinds::HoursDetails]->setChecked(true);
        w.txtFromEmp->setText(from);
        w.txtToEmp->setText(to);
        w.MaskFromDate->setDate(fromDate);
        w.MaskToDate->setDate(toDate);
        w.cmdSelectAll->setFocus();
        w.PreviewReport();
        if (message.isEmpty()) {
            QCOMPARE(env->prompts.texts(), QStringList{QStringLiteral("No Match With This Filters")});
            return;
        }
        QCOMPARE(env->prompts.texts(), QStringList{message});
        QCOMPARE(env->prompts.boxes.first().buttons, 1);
        QVERIFY(env->modalWindows.isEmpty());
        if (focus == QLatin1String("from"))
            QCOMPARE(w.focusWidget(), w.txtFromEmp);
        else if (focus == QLatin1String("to"))
            QCOMPARE(w.focusWidget(), w.txtToEmp);
        else
            QCOMPARE(w.focusWidget(), w.cmdSelectAll);
    }

    void choosingAReportResetsTheFilters()
    {
        frmEmpReport& w = open();
        w.txtFromEmp->setText(QStringLiteral("20"));
        w.OptSort[1]->setChecked(true);
        QCOMPARE(SortOrder, QStringLiteral("DESC"));
        w.Option1[ReportKinds::Unauthorized]->setChecked(true);
        QCOMPARE(ReportKind, int16_t(5));
        QCOMPARE(w.txtFromEmp->text(), QStringLiteral("1"));
        QCOMPARE(w.txtToEmp->text(), QStringLiteral("500"));
        QVERIFY(!w.fraEmp->isEnabled());
        QVERIFY(w.OptSort[0]->isChecked());
        QCOMPARE(SortOrder, QStringLiteral(""));
        w.Option1[ReportKinds::HoursTotal]->setChecked(true);
        QVERIFY(w.fraEmp->isEnabled());
        QVERIFY(!w.OptSort[0]->isEnabled() && !w.OptSort[1]->isEnabled());
        w.Option1[ReportKinds::LateArrival]->setChecked(true);
        QVERIFY(w.OptSort[0]->isEnabled() && w.OptSort[1]->isEnabled());
        QCOMPARE(w.filters().sort, SortDirection::Ascending);
    }

    void selectAllTogglesTheRange()
    {
        frmEmpReport& w = open();
        w.cmdSelectAll->click();
        QCOMPARE(w.txtFromEmp->text(), QString());
        QCOMPARE(w.txtToEmp->text(), QString());
        QCOMPARE(w.cmdSelectAll->text(), QStringLiteral("Select All Employees"));
        w.Option1[ReportKinds::LateArrival]->setChecked(true);
        QCOMPARE(w.txtToEmp->text(), QStringLiteral("500"));
        QCOMPARE(w.cmdSelectAll->text(), QStringLiteral("Select All Employees"));
        w.cmdSelectAll->click();
        QCOMPARE(w.txtFromEmp->text(), QStringLiteral("1"));
        QCOMPARE(w.cmdSelectAll->text(), QStringLiteral("Remove All Employees"));
    }

    // The dates read in the system's order, with four-digit years: under de_DE
    // the day comes first, so 01.12.2025 typed is the first of December. Two
    // typed year digits are a year of this century up to this year's, of the
    // century before above it, and the report takes them even while still typed
    // (Preview takes no focus). A date the field cannot read is refused under
    // its name, stays as typed, and the field gets the focus with it selected.
    void theDatesReadInTheSystemsOrder_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("shownFrom");
        QTest::addColumn<QString>("shownTo");
        QTest::addColumn<bool>("toField");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("typedShown");
        QTest::addColumn<QDate>("date"); // invalid: refused
        QTest::addColumn<QString>("message");
        const QDate no;
        // clang-format off
        QTest::newRow("de_DE") << "de_DE" << "23.02.2026" << "02.03.2026" << false << "01122025" << "01.12.2025" << QDate(2025, 12, 1) << "";
        QTest::newRow("de_DE two year digits") << "de_DE" << "23.02.2026" << "02.03.2026" << false << "1.12.25" << "01.12.2025" << QDate(2025, 12, 1) << "";
        QTest::newRow("de_DE the century before") << "de_DE" << "23.02.2026" << "02.03.2026" << false << "011299" << "01.12.1999" << QDate(1999, 12, 1) << "";
        QTest::newRow("de_DE 31 November") << "de_DE" << "23.02.2026" << "02.03.2026" << false << "31.11.2025" << "31.11.2025" << no << "From Date: Invalid Date!";
        QTest::newRow("de_DE last day empty") << "de_DE" << "23.02.2026" << "02.03.2026" << true << " " << "" << no << "To Date: Invalid Date!";
        QTest::newRow("en_US") << "en_US" << "2/23/2026" << "3/2/2026" << false << "12/01/25" << "12/1/2025" << QDate(2025, 12, 1) << "";
        QTest::newRow("en_US the day first") << "en_US" << "2/23/2026" << "3/2/2026" << true << "23/2/2026" << "23/2/2026" << no << "To Date: Invalid Date!";
        QTest::newRow("C") << "C" << "23 Feb 2026" << "2 Mar 2026" << false << "1 Dec 2025" << "1 Dec 2025" << QDate(2025, 12, 1) << "";
        // clang-format on
    }

    void theDatesReadInTheSystemsOrder()
    {
        QFETCH(QString, locale);
        QFETCH(QString, shownFrom);
        QFETCH(QString, shownTo);
        QFETCH(bool, toField);
        QFETCH(QString, typed);
        QFETCH(QString, typedShown);
        QFETCH(QDate, date);
        QFETCH(QString, message);
        QLocale::setDefault(QLocale(locale));
        frmEmpReport& w = open();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.MaskFromDate->text(), shownFrom);
        QCOMPARE(w.MaskToDate->text(), shownTo);
        DateField* field = toField ? w.MaskToDate : w.MaskFromDate;
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, typed);
        if (!date.isValid()) {
            QVERIFY(!w.ValidateFilters());
            QCOMPARE(env->prompts.texts(), QStringList{message});
            QCOMPARE(field->text(), typedShown);
            QVERIFY(field->hasFocus());
            QCOMPARE(field->selectedText(), typedShown);
            return;
        }
        QVERIFY(w.ValidateFilters());
        QCOMPARE(field->text(), typedShown);
        QCOMPARE(w.filters().fromDate, date);
        QCOMPARE(w.filters().rangeParams().at(2).toString(), date.toString(Qt::ISODate));
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    // The real box takes the focus from the field it speaks of; that is no leave,
    // so a number above 500 gives one box, whether the field is left or the
    // report launched with the focus still in it.
    void aNumberAbove500GivesOneBox_data()
    {
        QTest::addColumn<bool>("launch");
        QTest::newRow("Tab") << false;
        QTest::newRow("Preview") << true;
    }

    void aNumberAbove500GivesOneBox()
    {
        QFETCH(bool, launch);
        WidgetPrompts boxes;
        setPrompts(&boxes);
        frmEmpReport& w = open();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.txtToEmp->setFocus();
        QTest::keyClick(w.txtToEmp, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w.txtToEmp, QStringLiteral("501"));
        QStringList seen;
        BoxAnswerer answer([&](QMessageBox& box) {
            seen << box.text();
            QTest::keyClick(&box, Qt::Key_Return);
        });
        if (launch)
            w.ToolbarButton[1]->trigger();
        else
            QTest::keyClick(w.txtToEmp, Qt::Key_Tab);
        answer.stop();
        setPrompts(&env->prompts);
        QCOMPARE(seen, QStringList{QStringLiteral("Employee number must be below 500")});
        QCOMPARE(w.focusWidget(), w.txtToEmp);
        QCOMPARE(w.txtToEmp->selectedText(), QStringLiteral("501"));
    }

    // A kind without its window (the next test environment joins it again) launches nothing.
    void aReportWithoutItsWindowLaunchesNothing()
    {
        frmEmpReport::registerReportWindow(ReportKinds::OnLine, {});
        frmEmpReport& w = open();
        w.Option1[ReportKinds::OnLine]->setChecked(true);
        w.PreviewReport();
        w.SaveReport();
        w.PrintReport();
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(env->saveDialogs.shown.isEmpty());
        QVERIFY(env->printDialogs.flagsShown.isEmpty());
    }

    // While a report fills, the filter window stays live; a second launch then is ignored.
    void aSecondLaunchWhileAReportFillsIsIgnored()
    {
        addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
        addEvent(7, QStringLiteral("2026-03-02"), QStringLiteral("08:00:00"), 1);
        frmEmpReport& w = open();
        w.Option1[ReportKinds::HoursDetails]->setChecked(true);
        bool sawShow = false;
        // Inside the pause at the end of the fill.
        env->clock.duringWait = [&] {
            sawShow =
                w.anmAVI->isVisible() && w.anmAVI->isPlaying() && !FormInstance<frmWorkingHours>::get().isEnabled();
            w.PreviewReport();
            w.SaveReport();
        };
        w.PreviewReport();
        QVERIFY(sawShow);
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmWorkingHours")});
        QVERIFY(env->saveDialogs.shown.isEmpty());
        QVERIFY(!w.anmAVI->isVisible());
        QCOMPARE(env->clock.waits, 1);
    }

    // Closed while a report fills (in the pause at its end), the window stays
    // until the report has ended, and only then unloads.
    void closingDuringAReportWaitsForItsEnd_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("the Close button") << false;
        QTest::newRow("the close box") << true;
    }

    void closingDuringAReportWaitsForItsEnd()
    {
        QFETCH(bool, closeBox);
        addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
        addEvent(7, QStringLiteral("2026-03-02"), QStringLiteral("08:00:00"), 1);
        frmMain& main = FormInstance<frmMain>::get();
        main.Toolbar1->setVisible(false);
        frmEmpReport& w = open();
        const QPointer<frmEmpReport> window(&w);
        w.Option1[ReportKinds::HoursDetails]->setChecked(true);
        bool closedInThePause = false;
        env->clock.duringWait = [&] {
            closedInThePause = w.anmAVI->isPlaying();
            if (closeBox)
                w.close();
            else
                w.ToolbarButton[5]->trigger();
        };
        bool stayedForThePreview = false;
        env->modalSteps.enqueue([&](Form& preview) {
            stayedForThePreview = window && window->isLoaded() && window->isVisible() && main.Toolbar1->isHidden();
            preview.requestClose();
        });
        w.ToolbarButton[1]->trigger();
        QVERIFY(closedInThePause);
        QVERIFY(stayedForThePreview);
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmWorkingHours")});
        QVERIFY(!FormInstance<frmEmpReport>::exists());
        QVERIFY(!main.Toolbar1->isHidden());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
    }

    void closingRestoresTheMainToolbar()
    {
        frmMain& main = FormInstance<frmMain>::get();
        main.Toolbar1->setVisible(false);
        open().Toolbar1_ButtonClick(5);
        QVERIFY(!FormInstance<frmEmpReport>::exists());
        QVERIFY(!main.Toolbar1->isHidden());
    }
};

QTEST_MAIN(FilterWindowTest)
#include "tst_filterwindow.moc"
