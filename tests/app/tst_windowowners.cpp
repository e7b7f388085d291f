#include "app/frmMain.h"
#include "app/frmOptions.h"
#include "core/AppState.h"
#include "core/ReportKind.h"
#include "core/frmLogin.h"
#include "core/frmPasswords.h"
#include "core/widgets/BackAc.h"
#include "employees/EmployeeHandOver.h"
#include "employees/frmDetails.h"
#include "employees/frmEmployees.h"
#include "employees/frmProgramming.h"
#include "link/frmOnline.h"
#include "link/frmPrpComms.h"
#include "platform/forms/FormRegistry.h"
#include "reports/framework/frmEmpReport.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowTestEnvironment.h"
#include "tests/support/WindowWalks.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>
#include <QtTest>

// Every window opened from another stays above it (the window manager keeps a
// window above its transient parent, which X gives to windows of the dialog
// kind only) and opens in the middle of it. The main window stands off the
// middle of the screen, so that a window centred on the screen shows.
class WindowOwnersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    QStringList seen;

    // "window over owner", with what is wrong about its kind or its place.
    static QString placement(const QWidget& window)
    {
        const QWindow* parent = window.windowHandle() ? window.windowHandle()->transientParent() : nullptr;
        const QWidget* owner = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (parent && w->windowHandle() == parent)
                owner = w;
        }
        QString text = QString::fromLatin1(window.metaObject()->className()) + QStringLiteral(" over ") +
                       (owner ? QString::fromLatin1(owner->metaObject()->className()) : QStringLiteral("nothing"));
        if (!window.isVisible())
            text += QStringLiteral(", hidden");
        if (window.windowType() != (owner ? Qt::Dialog : Qt::Window))
            text += QStringLiteral(", of the wrong kind");
        if (!owner)
            return text;
        // A window too large to stand in the middle within the screen stands at its edge.
        const QRect shown = window.frameGeometry();
        const QRect area = window.screen()->availableGeometry();
        QRect middle(QPoint(0, 0), shown.size());
        middle.moveCenter(owner->frameGeometry().center());
        if (area.contains(middle) && (shown.center() - middle.center()).manhattanLength() > 3)
            text += QStringLiteral(", off its middle");
        if (!area.contains(middle) && (shown.left() < area.left() || shown.top() < area.top()))
            text += QStringLiteral(", off the screen");
        return text;
    }

    std::function<void(Form&)> recordAndClose()
    {
        return [this](Form& form) {
            seen << placement(form);
            form.unloadForm();
        };
    }

    frmMain& openMain()
    {
        env->logInAsAdministrator();
        AppState& s = appState();
        s.AdminPassword = QStringLiteral("a").leftJustified(8);
        s.GuardPassword = QStringLiteral("g").leftJustified(8);
        s.EngineerPassword = QStringLiteral("e").leftJustified(8);
        frmMain& main = FormInstance<frmMain>::get();
        main.showModeless(nullptr);
        main.setGeometry(0, 0, 700, 700);
        return main;
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
        employeeHandOver() = EmployeeHandOver{};
        seen.clear();
    }

    void cleanup() { env.reset(); }

    void theMainWindowsWindows()
    {
        frmMain& main = openMain();
        QVERIFY(main.screen()->availableGeometry().center() != main.frameGeometry().center());
        for (int i = 0; i < 4; ++i)
            main.ShowInfo_Click(i);
        seen << placement(FormInstance<frmOnline>::get()) << placement(FormInstance<frmEmployees>::get())
             << placement(FormInstance<frmProgramming>::get()) << placement(FormInstance<frmEmpReport>::get());
        env->modalSteps.enqueue(recordAndClose());
        main.mnuOpt_Click();
        env->modalSteps.enqueue(recordAndClose());
        main.ShowHelpTopic(5);
        QCOMPARE(seen,
                 (QStringList{"frmOnline over frmMain", "frmEmployees over frmMain", "frmProgramming over frmMain",
                              "frmEmpReport over frmMain", "frmOptions over frmMain", "frmAboutGT430 over frmMain"}));
    }

    // The list's editor, and the editor's Read Card prompt and picture chooser.
    void theRegistersWindows()
    {
        frmMain& main = openMain();
        WindowWalks::registersWindows(*env, main, [this](Form& form) { seen << placement(form); });
        QCOMPARE(seen, (QStringList{"frmDetails over frmEmployees", "frmCodes over frmDetails",
                                    "frmPicture over frmDetails", "frmHoliday over frmProgramming"}));
    }

    // Options' windows, and the windows those open.
    void theOptionsWindows()
    {
        frmMain& main = openMain();
        WindowWalks::optionsWindows(*env, main, [this](Form& form) { seen << placement(form); });
        QCOMPARE(seen,
                 (QStringList{"frmOptions over frmMain", "frmPasswords over frmOptions",
                              "frmPassword over frmPasswords", "frmCompact over frmOptions", "frmLogin over frmOptions",
                              "frmPrpComms over frmOptions", "BackAc over frmPrpComms"}));
    }

    // A preview stays above the filter window it was asked from.
    void aPreviewOverTheFilterWindow()
    {
        frmMain& main = openMain();
        ReportFixture::addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
        ReportFixture::addEvent(7, QStringLiteral("2026-03-02"), QStringLiteral("08:10:00"), 1);
        main.ShowInfo_Click(3);
        frmEmpReport& filter = FormInstance<frmEmpReport>::get();
        filter.Option1[ReportKinds::OnLine]->setChecked(true);
        env->modalSteps.enqueue(recordAndClose());
        filter.PreviewReport();
        QCOMPARE(seen, QStringList{"frmOnlineReport over frmEmpReport"});
    }

    // The guard has the monitor alone, with the main window hidden: it stands
    // above no window and stays on the screen.
    void theGuardsMonitorStandsAlone()
    {
        env->logInAsAdministrator();
        appState().LoginPassword = appState().GuardPassword;
        frmMain& main = FormInstance<frmMain>::get();
        QVERIFY(main.GuardOnly);
        main.showModeless(nullptr);
        QVERIFY(QTest::qWaitFor([] { return FormInstance<frmOnline>::exists(); }));
        QVERIFY(QTest::qWaitFor([&main] { return !main.isVisible(); }));
        QCOMPARE(placement(FormInstance<frmOnline>::get()), QStringLiteral("frmOnline over nothing"));
    }
};

QTEST_MAIN(WindowOwnersTest)
#include "tst_windowowners.moc"
