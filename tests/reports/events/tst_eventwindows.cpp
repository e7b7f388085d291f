#include "core/AppState.h"
#include "core/ReportKind.h"
#include "employees/frmProgramming.h"
#include "platform/BusyPointer.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/Twips.h"
#include "platform/text/DateTimeText.h"
#include "reports/events/frmExceptReport.h"
#include "reports/events/frmMissingReport.h"
#include "reports/events/frmOnlineReport.h"
#include "reports/events/frmUnautorizedReport.h"
#include "reports/framework/SortOrder.h"
#include "reports/framework/frmEmpReport.h"
#include "tests/reports/events/EventLog.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/ReportWindows.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

using namespace ReportFixture;

// Today is Monday 2 March 2026 (the test clock); the filters run from 23 February.
class EventWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

private slots:
    void init()
    {
        env = reportWindowsEnvironment();
        addEmployee(8, QStringLiteral("Ann"), QStringLiteral("Lee"));
        const QString friday = QStringLiteral("2026-02-27");
        EventLog::add({.employee = 7, .date = friday, .time = QStringLiteral("08:10:00")});
        EventLog::add(
            {.employee = 7, .date = friday, .time = QStringLiteral("12:00:00"), .in = 2, .door = 2, .reason = 1});
        EventLog::add({.employee = -1, .date = friday, .time = QStringLiteral("07:00:00"), .reason = 3});
    }
    void cleanup() { env.reset(); }

    void eachReportPreviewsInItsWindow_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QStringList>("firstRow");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("legend");
        // clang-format off
        QTest::newRow("on-line events")
            << ReportKinds::OnLine << "frmOnlineReport" << "Online Report"
            << QStringList{"Name", "Date", "Time", "In/Out", "PIN/Card", "Door Action"}
            << QStringList{"7 Smith  John", "27 Feb 2026", "08:10:00", "In", "Card", "Opened"} << 2 << false;
        // clang-format on
        // Monday 23 February to Monday 2 March, Friday a working day.
        // clang-format off
        QTest::newRow("absence")
            << ReportKinds::Absence << "frmMissingReport" << "Absence Report" << QStringList{"Name", "Date"}
            << QStringList{"7   Smith John", "23 Feb 2026"} << 6 << false;
        QTest::newRow("incomplete hours")
            << ReportKinds::IncompleteHours << "frmExceptReport" << "Incompleted Report"
            << QStringList{"Name", "Date", "Schedule Hours", "Actual Hours", "Missing Hours", "Global Hours"}
            << QStringList{"7 Smith  John", "27 Feb 2026", "8", "         3:50", "      4:10", "         3:50"}
            << 2 << true;
        QTest::newRow("unauthorized")
            << ReportKinds::Unauthorized << "frmUnautorizedReport" << "UnAuthorized Report"
            << QStringList{"Date", "Time", "Name", "Slot#", "Code#", "Door Action", "Reason"}
            << QStringList{"27 Feb 2026", "07:00:00", "Unknown Employee", "0", "1000001", "Opened", "Unknown Code"}
            << 2 << false;
        // clang-format on
    }

    void eachReportPreviewsInItsWindow()
    {
        QFETCH(int, kind);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(QStringList, headers);
        QFETCH(QStringList, firstRow);
        QFETCH(int, rows);
        QFETCH(bool, legend);
        appState().DefaultWorkHours = 8;
        previewAndLook<frmReportWindow>(*env, filterFor(kind), [&](frmReportWindow& shown) {
            QCOMPARE(shown.windowTitle(), caption);
            QCOMPARE(shownHeaders(shown), headers);
            QCOMPARE(shown.MSFlexGrid1->model()->rowCount(), rows);
            QCOMPARE(shownRow(shown, 0), firstRow);
            QCOMPARE(shown.lblMatchLines->isVisibleTo(&shown), legend);
            QVERIFY(shown.isEnabled());
        });
        QCOMPARE(env->modalWindows, QStringList{window});
        QVERIFY(env->prompts.boxes.isEmpty());
        QVERIFY(!busyPointerShown());
    }

    // Save and print on a shown preview keep to the rows on the screen; from
    // the filter window they fill the table again.
    void theShownPreviewIsSavedAndPrintedAsItIs()
    {
        const ShownPreviewRun run = saveAndPrintThePreview(*env, filterFor(ReportKinds::OnLine), [] {
            EventLog::add({.employee = 8, .date = QStringLiteral("2026-03-02"), .time = QStringLiteral("08:00:00")});
        });
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmOnlineReport")});
        QCOMPARE(run.savedOnThePreview.count('\n'), 3 + 2);
        QCOMPARE(run.printedOnThePreview.documentsEnded, 1);
        QVERIFY(!run.printedOnThePreview.textsOnPage(1).contains(QStringLiteral("8 Lee  Ann")));
        QCOMPARE(env->prompts.texts(), QStringList(2, QStringLiteral("save file successful")));
        QCOMPARE(env->prompts.boxes.first().buttons, 4);
        QCOMPARE(run.savedFromTheFilter.count('\n'), 3 + 3);
    }

    // As every report's, the absence report's save asks before it replaces a file.
    void theAbsenceSaveDialogAsksBeforeReplacingAFile()
    {
        frmEmpReport& filter = filterFor(ReportKinds::Absence);
        const QString path = env->file(QStringLiteral("absence.txt"));
        env->saveDialogs.answer(path);
        filter.SaveReport();
        QCOMPARE(env->saveDialogs.shown.size(), 1);
        const SaveFileDialogs::Request& request = env->saveDialogs.shown.first();
        QVERIFY(request.flags & SaveDialogOverwritePrompt);
        QCOMPARE(request.filter, QStringLiteral("All Files (*.*);;Text Files (*.txt);;Batch Files (*.bat)"));
        QCOMPARE(request.selectedFilter, QStringLiteral("Text Files (*.txt)"));
        QVERIFY(request.defaultSuffix.isEmpty());
        QCOMPARE(fileBytes(path).size(), (3 + 6) * 82);
    }

    void withoutDefaultHoursTheIncompleteHoursSendTheUserToTheDoorSettings()
    {
        appState().DefaultWorkHours = 0;
        Db().execute(QStringLiteral("UPDATE DoorsNames_Tbl SET MonThu_Hours = NULL"));
        previewSaveAndPrint(filterFor(ReportKinds::IncompleteHours));
        QCOMPARE(env->prompts.texts(), QStringList(3, QStringLiteral("Please Enter Working Hours")));
        // The preview warns; save and print give notice.
        QCOMPARE(env->prompts.boxes.at(0).title, QStringLiteral("Warning"));
        QCOMPARE(env->prompts.boxes.at(0).kind, MsgBox::KindWarning);
        for (int i : {1, 2}) {
            QCOMPARE(env->prompts.boxes.at(i).title, QStringLiteral("GT-430"));
            QCOMPARE(env->prompts.boxes.at(i).kind, MsgBox::KindNotice);
        }
        for (const auto& box : env->prompts.boxes)
            QCOMPARE(box.buttons, 4);
        QCOMPARE(doorSettingsFieldShown(), FormInstance<frmProgramming>::get().cmbHours[0]);
        QCOMPARE(count(QStringLiteral("tblHoursReport")), 0);
        QCOMPARE(broughtUp(*env), QStringList());
    }

    // Every shown column is at least as wide as designed and shows its heading
    // and the values on the screen whole; a value further down counts once it
    // is scrolled to. The columns widen with the window; hidden ones stay hidden.
    void theColumnsShowTheirHeadingsAndTheValuesOnTheScreen()
    {
        for (int i = 0; i < 100; ++i)
            EventLog::add({.employee = 7,
                           .date = QStringLiteral("2026-02-24"),
                           .time = DateTimeText::isoTime(QTime(6, 0).addSecs(60 * i)),
                           .door = 2,
                           .reason = 1});
        const QString longCode = QStringLiteral("1234567890123456789012345678901234567890");
        EventLog::add({.employee = -1,
                       .date = QStringLiteral("2026-02-28"),
                       .time = QStringLiteral("07:00:00"),
                       .reason = 3,
                       .code = longCode});
        previewAndLook<frmReportWindow>(*env, filterFor(ReportKinds::Unauthorized), [&](frmReportWindow& shown) {
            QTableView& grid = *shown.MSFlexGrid1;
            const QFontMetrics metrics = grid.fontMetrics();
            // The shown columns and their designed widths in twips.
            const QList<std::pair<int, int>> designed{{2, 1000}, {3, 1000}, {5, 1600}, {6, 700},
                                                      {7, 1250}, {9, 1500}, {10, 1250}};
            const auto showsWhole = [&](int column, const QString& text) {
                return grid.columnWidth(column) >= metrics.horizontalAdvance(text) + 4;
            };
            const auto shownWidths = [&] {
                QList<int> widths;
                for (const auto& [column, twips] : designed)
                    widths << grid.columnWidth(column);
                return widths;
            };
            const int top = grid.rowAt(0);
            const int bottom = grid.rowAt(grid.viewport()->height() - 1);
            QVERIFY(top == 0 && bottom > 5 && bottom < 90);
            for (const auto& [column, twips] : designed) {
                QVERIFY(grid.columnWidth(column) >= Twips::toPixels(twips));
                QVERIFY2(showsWhole(column, grid.model()->headerData(column, Qt::Horizontal).toString()),
                         qPrintable(QString::number(column)));
                for (int row = top; row <= bottom; ++row)
                    QVERIFY2(showsWhole(column, grid.model()->index(row, column).data().toString()),
                             qPrintable(grid.model()->index(row, column).data().toString()));
            }
            QCOMPARE(grid.model()->index(grid.model()->rowCount() - 1, 7).data().toString(), longCode);
            QVERIFY(!showsWhole(7, longCode));

            const QList<int> before = shownWidths();
            shown.resize(shown.width() + 400, shown.height() + 100);
            const QList<int> after = shownWidths();
            int total = 0;
            for (qsizetype i = 0; i < before.size(); ++i) {
                QVERIFY2(after.at(i) > before.at(i), qPrintable(QString::number(designed.at(i).first)));
                total += after.at(i);
            }
            QCOMPARE(total, grid.viewport()->width());

            grid.scrollToBottom();
            QVERIFY(showsWhole(7, longCode));
            for (int column : {0, 1, 4, 8})
                QVERIFY(grid.isColumnHidden(column));
        });
        QCOMPARE(env->modalWindows, QStringList{QStringLiteral("frmUnautorizedReport")});
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    // A preview opens as wide as its columns are fitted, heading and values on the
    // screen whole without scrolling sideways, and never wider than the screen.
    void aPreviewOpensWideEnoughForItsColumns_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("nameLength");
        QTest::addColumn<bool>("fits");
        QTest::newRow("unauthorized") << ReportKinds::Unauthorized << 4 << true;
        QTest::newRow("on-line events, a long name") << ReportKinds::OnLine << 20 << true;
        QTest::newRow("on-line events, a name wider than the screen") << ReportKinds::OnLine << 300 << false;
    }

    void aPreviewOpensWideEnoughForItsColumns()
    {
        QFETCH(int, kind);
        QFETCH(int, nameLength);
        QFETCH(bool, fits);
        addEmployee(9, QStringLiteral("Maximiliane"), QString(nameLength, QLatin1Char('W')));
        EventLog::add({.employee = 9,
                       .date = QStringLiteral("2026-02-26"),
                       .time = QStringLiteral("09:00:00"),
                       .in = 2,
                       .card = 2,
                       .door = 2,
                       .reason = 2});
        EventLog::add({.employee = -1,
                       .date = QStringLiteral("2026-02-26"),
                       .time = QStringLiteral("09:30:00"),
                       .door = 2,
                       .reason = 2});
        int designed = 0;
        previewAndLook<frmReportWindow>(*env, filterFor(kind), [&](frmReportWindow& shown) {
            QTableView& grid = *shown.MSFlexGrid1;
            const QRect screen = shown.screen()->availableGeometry();
            QVERIFY(screen.contains(shown.frameGeometry()));
            designed = Twips::toPixels(9000);
            QVERIFY(shown.width() > designed);
            int last = -1;
            for (int c = 0; c < grid.model()->columnCount(); ++c)
                if (!grid.isColumnHidden(c))
                    last = c;
            const int right = grid.columnViewportPosition(last) + grid.columnWidth(last);
            if (fits) {
                QCOMPARE(grid.horizontalScrollBar()->maximum(), 0);
                QVERIFY(right <= grid.viewport()->width());
            } else {
                QCOMPARE(shown.frameGeometry().width(), screen.width());
                QVERIFY(grid.horizontalScrollBar()->maximum() > 0);
            }
        });
        QVERIFY(designed > 0);
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    // Whichever way the days run, an employee's closing row stays last in the grid.
    void theClosingRowStaysLastInTheGridSortedDownwards()
    {
        appState().DefaultWorkHours = 8;
        addEvent(7, QStringLiteral("2026-02-26"), QStringLiteral("08:00:00"), 1);
        addEvent(7, QStringLiteral("2026-02-26"), QStringLiteral("10:00:00"), 2);
        frmEmpReport& filter = filterFor(ReportKinds::IncompleteHours);
        filter.OptSort[1]->setChecked(true);
        previewAndLook<frmExceptReport>(*env, filter, [](frmExceptReport& window) {
            const QAbstractItemModel* model = window.MSFlexGrid1->model();
            QCOMPARE(model->rowCount(), 3);
            QCOMPARE(model->index(0, 3).data().toString(), QStringLiteral("27 Feb 2026"));
            QCOMPARE(model->index(1, 3).data().toString(), QStringLiteral("26 Feb 2026"));
            QCOMPARE(model->index(2, 3).data().toString(), QStringLiteral("Total"));
        });
        QCOMPARE(env->modalWindows.size(), 1);
    }

    // The texts of the filter window never reach the SQL: the sort is ASC or
    // DESC, the employees are the numbers the fields begin with.
    void nothingTheUserTypesReachesTheSql()
    {
        frmEmpReport& filter = filterFor(ReportKinds::Absence);
        filter.txtFromEmp->setText(QStringLiteral("7 OR 1=1"));
        filter.txtToEmp->setText(QStringLiteral("7); DROP TABLE tblOnline; --"));
        SortOrder = QStringLiteral("DESC; DROP TABLE tblEmployees");
        previewAndLook<frmMissingReport>(*env, filter, [](frmMissingReport& window) {
            const QAbstractItemModel* model = window.MSFlexGrid1->model();
            QCOMPARE(model->rowCount(), 5);
            QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("7   Smith John"));
            // A sort text other than DESC sorts upwards.
            QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("23 Feb 2026"));
            QCOMPARE(model->index(4, 1).data().toString(), QStringLiteral("2 Mar 2026"));
        });
        QCOMPARE(env->modalWindows.size(), 1);
        QCOMPARE(count(QStringLiteral("tblOnline")), 3);
        QCOMPARE(count(QStringLiteral("tblEmployees")), 2);
    }

    // A fill that fails ends the operation: nothing stale is shown, saved or printed.
    void aFailedFillEndsTheOperation()
    {
        const QStringList before = saveThenFailTheFill(*env, filterFor(ReportKinds::Unauthorized), [] {
            Db().execute(QStringLiteral("CREATE TRIGGER fails BEFORE INSERT ON tblUnauthorized "
                                        "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        });
        QCOMPARE(before, QStringList{QStringLiteral("save file successful")});
        QCOMPARE(boxHeads(env->prompts), QStringList(3, QStringLiteral("Funcion error#: 1052\r")));
        QCOMPARE(broughtUp(*env), QStringList{QStringLiteral("save dialog")});
        QVERIFY(!busyPointerShown());
    }

    void eachWindowOpensItsOwnHelp_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("topic");
        QTest::newRow("on-line events") << ReportKinds::OnLine << "frmOnlineReport";
        QTest::newRow("absence") << ReportKinds::Absence << "frmMissingReport";
        QTest::newRow("incomplete hours") << ReportKinds::IncompleteHours << "frmExceptReport";
        QTest::newRow("unauthorized") << ReportKinds::Unauthorized << "frmUnautorizedReport";
    }

    void eachWindowOpensItsOwnHelp()
    {
        QFETCH(int, kind);
        QFETCH(QString, topic);
        frmReportWindow* window = frmEmpReport::reportWindow(kind);
        QVERIFY(window);
        window->Toolbar1_ButtonClick(3);
        QCOMPARE(env->help.calls, QStringList{QStringLiteral("topic ") + topic});
    }

    void theWindowsSpeakTheChosenLanguage()
    {
        TestEnvironment::useGerman();
        frmEmpReport& filter = filterFor(ReportKinds::Absence);
        filter.txtFromEmp->setText(QStringLiteral("8"));
        previewAndLook<frmMissingReport>(*env, filter, [](frmMissingReport& window) {
            QCOMPARE(window.windowTitle(), QStringLiteral("Abwesenheitsbericht"));
            QCOMPARE(window.MSFlexGrid1->model()->index(0, 1).data().toString(),
                     QStringLiteral("--Alle Tage abwesend--"));
        });
        QCOMPARE(env->modalWindows.size(), 1);
    }
};

QTEST_MAIN(EventWindowsTest)
#include "tst_eventwindows.moc"
