#include "core/AppState.h"
#include "core/ReportKind.h"
#include "employees/frmProgramming.h"
#include "platform/BusyPointer.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/TimeBox.h"
#include "reports/framework/frmEmpReport.h"
#include "reports/framework/frmLateHours.h"
#include "reports/framework/frmTotalHours.h"
#include "reports/framework/frmWorkingHours.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/ReportWindows.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace ReportFixture;

namespace {

const QString Monday = QStringLiteral("2026-03-02");

}

// Today is Monday 2 March 2026 (the test clock); the filters run from 23 February.
class ReportWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

private slots:
    void init()
    {
        env = reportWindowsEnvironment();
        addEvent(7, Monday, QStringLiteral("08:10:00"), 1);
        addEvent(7, Monday, QStringLiteral("16:00:00"), 2);
    }
    void cleanup() { env.reset(); }

    void thePreviewShowsTheRowsInTheGrid()
    {
        previewAndLook<frmWorkingHours>(*env, filterFor(ReportKinds::HoursDetails), [](frmWorkingHours& window) {
            const QAbstractItemModel* model = window.MSFlexGrid1->model();
            QCOMPARE(model->rowCount(), 2);
            QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
            QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Sub Total"));
            QVERIFY(window.MSFlexGrid1->isColumnHidden(5));
            QVERIFY(!window.MSFlexGrid1->isColumnHidden(4));
            QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("2 Mar 2026"));
            QCOMPARE(model->index(1, 1).data().toString(), QStringLiteral("Total"));
            QCOMPARE(model->index(0, 4).data().toString(), QStringLiteral(" 7:50"));
            QVERIFY(window.isEnabled());
        });
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmWorkingHours")});
        QVERIFY(!FormInstance<frmWorkingHours>::exists());
        QVERIFY(!busyPointerShown());
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    void aFilterWithoutEventsGivesOnlyTheNotice_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("buttons");
        QTest::newRow("on-line events") << ReportKinds::OnLine << 4;
        QTest::newRow("absence") << ReportKinds::Absence << 4;
        QTest::newRow("details") << ReportKinds::HoursDetails << 1;
        QTest::newRow("incomplete hours") << ReportKinds::IncompleteHours << 4;
        QTest::newRow("late") << ReportKinds::LateArrival << 4;
        // Its rows are the refused passages of the days, which hold none.
        QTest::newRow("unauthorized access") << ReportKinds::Unauthorized << 4;
        QTest::newRow("totals") << ReportKinds::HoursTotal << 4;
    }

    void aFilterWithoutEventsGivesOnlyTheNotice()
    {
        QFETCH(int, kind);
        QFETCH(int, buttons);
        appState().DefaultStartTime = QStringLiteral("08:00");
        appState().DefaultWorkHours = 8;
        frmEmpReport& filter = filterFor(kind);
        filter.txtFromEmp->setText(QStringLiteral("20"));
        const QString path = env->file(QStringLiteral("none.txt"));
        env->saveDialogs.answer(path);
        previewSaveAndPrint(filter);
        QCOMPARE(env->prompts.texts(), QStringList(3, QStringLiteral("No Match With This Filters")));
        for (const auto& box : env->prompts.boxes) {
            QCOMPARE(box.title, QStringLiteral("GT-430"));
            QCOMPARE(box.buttons, buttons);
        }
        QCOMPARE(broughtUp(*env), QStringList());
        QVERIFY(!QFile::exists(path));
        QVERIFY(!busyPointerShown());
    }

    // Save and print on a shown preview keep to the rows on the screen.
    void theShownPreviewIsSavedAsItIs()
    {
        const ShownPreviewRun run = saveAndPrintThePreview(*env, filterFor(ReportKinds::HoursDetails), [] {
            addEvent(7, QStringLiteral("2026-02-27"), QStringLiteral("09:00:00"), 1);
        });
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmWorkingHours")});
        QCOMPARE(run.savedOnThePreview.count('\n'), 3 + 2);
        QCOMPARE(run.printedOnThePreview.documentsEnded, 1);
        QVERIFY(run.printedOnThePreview.drawnBesideTheWindow);
        QVERIFY(!run.printedOnThePreview.textsOnPage(1).contains(QStringLiteral("27 Feb 2026")));
        QCOMPARE(env->prompts.texts(), QStringList(2, QStringLiteral("save file successful")));
        QCOMPARE(env->prompts.boxes.first().buttons, 1);
        // Called from the filter window, save fills the table again first.
        QCOMPARE(run.savedFromTheFilter.count('\n'), 3 + 3);
        QCOMPARE(env->saveDialogs.shown.first().filter, QStringLiteral("Text files (*.TXT);;All files (*.*)"));
        QCOMPARE(env->saveDialogs.shown.first().defaultSuffix, QStringLiteral("TXT"));
    }

    void cancellingTheDialogsLeavesEverythingAsItWas()
    {
        frmEmpReport& filter = filterFor(ReportKinds::HoursTotal);
        env->saveDialogs.answerCancel();
        env->printDialogs.answerCancel();
        filter.SaveReport();
        filter.PrintReport();
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(env->saveDialogs.shown.size(), 1);
        QCOMPARE(env->printDialogs.flagsShown, QList<int>{2368});
        QVERIFY(!busyPointerShown());
    }

    // A save that fails says so, and not that it succeeded.
    void aFailedSaveIsReportedAndNotCalledSuccessful()
    {
        frmEmpReport& filter = filterFor(ReportKinds::LateArrival);
        appState().DefaultStartTime = QStringLiteral("08:00");
        env->saveDialogs.answer(env->file(QStringLiteral("no/such/folder/late.txt")));
        filter.SaveReport();
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QStringLiteral("Funcion error#: 904\r")));
        QVERIFY(!env->prompts.texts().contains(QStringLiteral("save file successful")));
    }

    // A fill that fails ends the operation: nothing stale is shown, saved or printed.
    void aFailedFillEndsTheOperation()
    {
        const QStringList before = saveThenFailTheFill(*env, filterFor(ReportKinds::HoursTotal),
                                                       [] { addEvent(7, Monday, QStringLiteral("not a time"), 2); });
        QCOMPARE(before, QStringList{QStringLiteral("save file successful")});
        QCOMPARE(boxHeads(env->prompts), QStringList(3, QStringLiteral("Funcion error#: 1012\r")));
        QCOMPARE(broughtUp(*env), QStringList{QStringLiteral("save dialog")});
        QVERIFY(!busyPointerShown());
    }

    void withoutAStartTimeTheLateReportSendsTheUserToTheDoorSettings()
    {
        appState().DefaultStartTime.clear();
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Start = ''"));
        previewSaveAndPrint(filterFor(ReportKinds::LateArrival));
        QCOMPARE(env->prompts.texts(), QStringList(3, QStringLiteral("Please Enter Start Time")));
        QCOMPARE(env->prompts.boxes.first().title, QStringLiteral("GT-430"));
        QCOMPARE(doorSettingsFieldShown(), FormInstance<frmProgramming>::get().txtTime[0]);
        QCOMPARE(count(QStringLiteral("tblHoursReport")), 0);
        QCOMPARE(broughtUp(*env), QStringList());
    }

    void theLateReportPreviewsOnlyTheLate()
    {
        appState().DefaultStartTime = QStringLiteral("08:00");
        addEmployee(8, QStringLiteral("Ann"), QStringLiteral("Lee"));
        addEvent(8, Monday, QStringLiteral("07:50:00"), 1);
        previewAndLook<frmLateHours>(*env, filterFor(ReportKinds::LateArrival), [](frmLateHours& window) {
            const QAbstractItemModel* model = window.MSFlexGrid1->model();
            QCOMPARE(model->rowCount(), 2);
            QCOMPARE(model->index(0, 6).data().toString(), QStringLiteral(" 0:10"));
            QCOMPARE(model->index(1, 3).data().toString(), QStringLiteral("Total"));
            QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Start Schedule"));
            for (int c : {0, 1, 7, 8, 9, 10, 11})
                QVERIFY(window.MSFlexGrid1->isColumnHidden(c));
        });
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmLateHours")});
    }

    void theWindowsSpeakTheChosenLanguage()
    {
        TestEnvironment::useGerman();
        frmEmpReport& filter = filterFor(ReportKinds::HoursTotal);
        QCOMPARE(filter.windowTitle(), QStringLiteral("Berichte"));
        previewAndLook<frmTotalHours>(*env, filter, [](frmTotalHours& window) {
            QCOMPARE(window.windowTitle(), QStringLiteral("Arbeitszeit - Summenbericht"));
            QCOMPARE(window.MSFlexGrid1->model()->headerData(2, Qt::Horizontal).toString(),
                     QStringLiteral("Ist-Stunden"));
            QCOMPARE(window.MSFlexGrid1->model()->index(1, 1).data().toString(), QStringLiteral("Summe"));
        });
        QCOMPARE(env->modalWindows.size(), 1);
    }
};

QTEST_MAIN(ReportWindowsTest)
#include "tst_reportwindows.moc"
