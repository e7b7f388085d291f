#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/ReportKind.h"
#include "employees/EmployeeHandOver.h"
#include "employees/frmDetails.h"
#include "employees/frmEmployees.h"
#include "link/LinkState.h"
#include "link/frmPrpComms.h"
#include "platform/db/Database.h"
#include "platform/forms/FormRegistry.h"
#include "platform/translation/BinaryDictionary.h"
#include "reports/events/frmOnlineReport.h"
#include "reports/framework/frmEmpReport.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RecordingPrintBackend.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/StoredRows.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Where a key goes: the widget in the focus, else the active window.
QWidget* keyTarget()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal->focusWidget() ? modal->focusWidget() : modal;
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup;
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return QApplication::activeWindow();
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = keyTarget();
    QVERIFY2(target, "no window takes the key");
    QTest::keyClick(target, key, modifiers);
}

void type(const QString& text)
{
    QWidget* target = keyTarget();
    QVERIFY2(target, "no window takes the keys");
    QTest::keyClicks(target, text);
}

// Runs `act` once a modal window of the class is up and active, from inside the real
// event loop the program runs for it.
template <class Window>
void whenModal(std::function<void(Window&)> act)
{
    auto* look = new QTimer;
    look->setInterval(10);
    QObject::connect(look, &QTimer::timeout, [look, act] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        // A person types once the window is up and takes the keyboard.
        if (!window || !window->isVisible() || !window->isActiveWindow())
            return;
        look->stop();
        look->deleteLater();
        const QPointer<Window> shown(window);
        act(*window);
        // A check that failed on the way leaves the window up: it must not hold the test.
        if (shown && shown->isVisible())
            shown->unloadForm();
    });
    look->start();
}

}

// A person without a mouse opens a report, previews, saves and prints it, and
// enters an employee: every step a key on the real windows, the modal ones in
// the event loops the program runs for them, the save and print dialogs and
// the notices answered through their seams.
class KeyboardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    frmMain& startMain()
    {
        env->logInAsAdministrator();
        frmMain& main = FormInstance<frmMain>::get();
        main.showModeless(nullptr);
        main.activateWindow();
        if (!QTest::qWaitForWindowActive(&main))
            qWarning("the main window did not become active");
        return main;
    }

    // The menu of the main window opened with Alt and its letter, then the item's letter.
    static void menu(Qt::Key menuLetter, Qt::Key itemLetter)
    {
        press(menuLetter, Qt::AltModifier);
        QVERIFY(runEventLoopUntil([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }));
        press(itemLetter);
    }

    template <class Window>
    static Window& activeWindow()
    {
        Window* window = nullptr;
        runEventLoopUntil([&] {
            window = qobject_cast<Window*>(QApplication::activeWindow());
            return window != nullptr;
        });
        if (!window)
            qFatal("%s is not the active window", Window::staticMetaObject.className());
        return *window;
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
        employeeHandOver() = EmployeeHandOver{};
        linkState() = LinkState{};
        // The modal windows run their own event loops, as in the program.
        Form::setModalHandlerForTests(nullptr);
    }

    void cleanup() { env.reset(); }

    void aReportIsPreviewedSavedAndPrinted()
    {
        startMain();
        ReportFixture::addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
        ReportFixture::addEvent(7, QStringLiteral("2026-03-02"), QStringLiteral("08:10:00"), 1);
        menu(Qt::Key_V, Qt::Key_R);
        frmEmpReport& filter = activeWindow<frmEmpReport>();
        QCOMPARE(filter.ToolbarButton[1]->toolTip(), QStringLiteral("Preview (Enter)"));
        // Alt and a letter choose the report.
        press(Qt::Key_L, Qt::AltModifier);
        QVERIFY(runEventLoopUntil([] { return ReportKind == ReportKinds::LateArrival; }));
        press(Qt::Key_O, Qt::AltModifier);
        QVERIFY(runEventLoopUntil([] { return ReportKind == ReportKinds::OnLine; }));

        const QString file = env->file(QStringLiteral("events.txt"));
        env->saveDialogs.answer(file);
        PrintRecord record;
        env->printDialogs.answerRecording(record);
        QStringList done;
        whenModal<frmOnlineReport>([&](frmOnlineReport& preview) {
            QCOMPARE(preview.ToolbarButton[1]->toolTip(), QStringLiteral("Save report at file (Ctrl+S)"));
            QCOMPARE(preview.ToolbarButton[2]->toolTip(), QStringLiteral("Print report (Ctrl+P)"));
            QCOMPARE(preview.ToolbarButton[4]->toolTip(), QStringLiteral("Close form (Esc)"));
            done << QStringLiteral("previewed");
            press(Qt::Key_S, Qt::ControlModifier);
            done << QStringLiteral("saved");
            press(Qt::Key_P, Qt::ControlModifier);
            done << QStringLiteral("printed");
            press(Qt::Key_Escape);
        });
        // Enter previews the report chosen, whatever field of the filter holds the focus.
        filter.txtToEmp->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(done, (QStringList{"previewed", "saved", "printed"}));
        QVERIFY(!FormInstance<frmOnlineReport>::exists());
        QVERIFY(fileBytes(file).contains("Smith"));
        QCOMPARE(record.documentsEnded, 1);
        QVERIFY(record.find(QStringLiteral("7 Smith  John")));
        QCOMPARE(env->prompts.texts(), QStringList{QStringLiteral("save file successful")});

        // Tab reaches the toolbar; Enter presses the button it stands on.
        QVERIFY(runEventLoopUntil([&] { return filter.isActiveWindow(); }));
        PrintRecord again;
        env->printDialogs.answerRecording(again);
        QWidget* print = filter.Toolbar1->widgetForAction(filter.ToolbarButton[3]);
        for (int tabs = 0; tabs < 30 && QApplication::focusWidget() != print; ++tabs)
            press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), print);
        press(Qt::Key_Return);
        QCOMPARE(again.documentsEnded, 1);

        // Esc closes the filter, once the window manager has given it back the
        // keyboard the printing notice took.
        filter.activateWindow();
        QVERIFY(runEventLoopUntil([&] { return filter.isActiveWindow(); }));
        press(Qt::Key_Escape);
        QVERIFY(runEventLoopUntil([] { return !FormInstance<frmEmpReport>::exists(); }));
    }

    void anEmployeeIsEnteredAndSaved()
    {
        startMain();
        menu(Qt::Key_V, Qt::Key_E);
        frmEmployees& list = activeWindow<frmEmployees>();
        QCOMPARE(list.ToolbarButton[1]->toolTip(), QStringLiteral("Add new employee (Ctrl+N)"));
        QStringList done;
        whenModal<frmDetails>([&](frmDetails& editor) {
            // A new employee starts at its number.
            QCOMPARE(editor.focusWidget(), editor.txtUserNum);
            type(QStringLiteral("12"));
            press(Qt::Key_Tab);
            type(QStringLiteral("Ann"));
            press(Qt::Key_Tab);
            type(QStringLiteral("Smith"));
            // The field in the focus is written before the save.
            press(Qt::Key_S, Qt::ControlModifier);
            done << StoredRows::rows(QStringLiteral("SELECT Employee_Number, First_Name, Last_Name FROM tblEmployees"))
                        .value(0)
                        .join(QLatin1Char(' '));
            press(Qt::Key_Escape);
        });
        press(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(done, QStringList{QStringLiteral("12 Ann Smith")});
        QVERIFY(!FormInstance<frmDetails>::exists());
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(list.lvwEmployees->topLevelItemCount(), 1);

        // Enter opens the employee chosen in the list, Esc closes the editor and the list.
        whenModal<frmDetails>([&](frmDetails& editor) {
            done << editor.txtLastName->text();
            press(Qt::Key_Escape);
        });
        QVERIFY(runEventLoopUntil([&] { return list.isActiveWindow(); }));
        list.lvwEmployees->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(done.last(), QStringLiteral("Smith"));
        QVERIFY(runEventLoopUntil([&] { return list.isActiveWindow(); }));
        press(Qt::Key_Escape);
        QVERIFY(runEventLoopUntil([] { return !FormInstance<frmEmployees>::exists(); }));
    }

    // Esc closes each window the main window opens.
    void escCloses_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("window");
        QTest::newRow("on-line monitor") << 0 << QStringLiteral("frmOnline");
        QTest::newRow("employee list") << 1 << QStringLiteral("frmEmployees");
        QTest::newRow("door settings") << 2 << QStringLiteral("frmProgramming");
        QTest::newRow("report filter") << 3 << QStringLiteral("frmEmpReport");
    }

    void escCloses()
    {
        QFETCH(int, item);
        QFETCH(QString, window);
        frmMain& main = startMain();
        main.ShowInfo_Click(item);
        QVERIFY(runEventLoopUntil([&] {
            QWidget* active = QApplication::activeWindow();
            return active && QString::fromLatin1(active->metaObject()->className()) == window;
        }));
        press(Qt::Key_Escape);
        QVERIFY(runEventLoopUntil([&] {
            for (const QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && QString::fromLatin1(w->metaObject()->className()) == window)
                    return false;
            return true;
        }));
    }

    // Enter presses Ok in the communication settings, with the focus on the port chosen.
    void enterTakesThePortChosen()
    {
        startMain();
        QCOMPARE(env->port->port, int16_t(1));
        whenModal<frmPrpComms>([](frmPrpComms& settings) {
            QCOMPARE(settings.focusWidget(), settings.PortNum);
            press(Qt::Key_Down);
            press(Qt::Key_Return);
            // Its Close asks for the Administrator: the test closes it itself.
        });
        FormInstance<frmPrpComms>::get().showModal(nullptr);
        QCOMPARE(env->port->port, int16_t(2));
        QVERIFY(env->port->open);
        QCOMPARE(appState().CommPortIndex, int16_t(1));
        QVERIFY(!FormInstance<frmPrpComms>::exists());
    }

    // F10 opens the first menu; Alt and a letter of the language in use open the others.
    void theMenusOpenFromTheKeyboard_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("letter");
        QTest::addColumn<QString>("title");
        // clang-format off
        QTest::newRow("English Tools") << 0 << int(Qt::Key_T) << QStringLiteral("&Tools");
        QTest::newRow("English Help") << 0 << int(Qt::Key_H) << QStringLiteral("&Help");
        QTest::newRow("German Extras") << 1 << int(Qt::Key_X) << QStringLiteral("E&xtras");
        QTest::newRow("German Hilfe") << 1 << int(Qt::Key_H) << QStringLiteral("&Hilfe");
        // clang-format on
    }

    void theMenusOpenFromTheKeyboard()
    {
        QFETCH(int, language);
        QFETCH(int, letter);
        QFETCH(QString, title);
        frmMain& main = startMain();
        if (language == 1) {
            env->prompts.languageChoices.enqueue(1);
            main.cmdLanguage();
        }
        press(Qt::Key_F10);
        QVERIFY(runEventLoopUntil([] { return QApplication::activePopupWidget(); }));
        QCOMPARE(qobject_cast<QMenu*>(QApplication::activePopupWidget()), main.mnuShowInfo);
        press(Qt::Key_Escape);
        press(Qt::Key_Escape);
        QVERIFY(runEventLoopUntil([] { return !QApplication::activePopupWidget(); }));
        press(Qt::Key(letter), Qt::AltModifier);
        QVERIFY(runEventLoopUntil([] { return QApplication::activePopupWidget(); }));
        auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(open);
        QCOMPARE(open->title(), title);
        press(Qt::Key_Escape);
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
