#include "app/frmMain.h"
#include "app/frmOptions.h"
#include "core/AppState.h"
#include "core/frmLogin.h"
#include "core/frmPasswords.h"
#include "core/frmSplash.h"
#include "core/widgets/BackAc.h"
#include "employees/EmployeeHandOver.h"
#include "employees/frmDetails.h"
#include "employees/frmEmployees.h"
#include "employees/frmProgramming.h"
#include "link/LinkState.h"
#include "link/frmOnline.h"
#include "link/frmPrpComms.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/PictureBox.h"
#include "platform/help/HelpService.h"
#include "platform/widgets/HelpWindow.h"
#include "platform/widgets/WindowHelpService.h"
#include "reports/framework/frmEmpReport.h"
#include "tests/support/HelpFixture.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/WindowTestEnvironment.h"
#include "tests/support/WindowWalks.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

// Every window the program opens stands whole within the screen's available
// area, its frame included. ctest runs this on a screen of 1024 x 768, one of
// 1280 x 800, one of 1280 x 1024, and one of 2560 x 1600 at scale factor 2.
class PlacementTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    QStringList seen;

    // "class: geometry" for a window not whole on the screen.
    void look(const QWidget& window)
    {
        const QRect area = window.screen()->availableGeometry();
        const QRect frame = window.frameGeometry();
        QString name = QString::fromLatin1(window.metaObject()->className());
        if (!window.isVisible())
            name += QStringLiteral(" (hidden)");
        if (!area.contains(frame))
            name +=
                QStringLiteral(" at %1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
        seen << name;
    }

    std::function<void(Form&)> lookAndClose()
    {
        return [this](Form& form) {
            look(form);
            form.unloadForm();
        };
    }

    frmMain& openMain()
    {
        env->logInAsAdministrator();
        frmMain& main = FormInstance<frmMain>::get();
        main.showModeless(nullptr);
        QCoreApplication::processEvents();
        return main;
    }

private slots:
    void initTestCase()
    {
        const QSize screen = QGuiApplication::primaryScreen()->size();
        qInfo("screen of %dx%d", screen.width(), screen.height());
    }

    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
        employeeHandOver() = EmployeeHandOver{};
        linkState() = LinkState{};
        seen.clear();
    }

    void cleanup() { env.reset(); }

    void theStartUpWindowAndItsLogin()
    {
        env->writePasswords(QStringLiteral("a"), QStringLiteral("g"), QStringLiteral("e"));
        frmSplash& splash = FormInstance<frmSplash>::get();
        splash.showModeless(nullptr);
        QCoreApplication::processEvents();
        look(splash);
        look(FormInstance<frmLogin>::get());
        // The version stands clear of the picture.
        QVERIFY(!splash.lblVer->geometry().intersects(splash.ImgGt43W[0]->geometry()));
        QCOMPARE(seen, (QStringList{"frmSplash", "frmLogin"}));
    }

    void theMainWindowAndWhatItOpens()
    {
        frmMain& main = openMain();
        look(main);
        for (int i = 0; i < 4; ++i)
            main.ShowInfo_Click(i);
        look(FormInstance<frmOnline>::get());
        look(FormInstance<frmEmployees>::get());
        look(FormInstance<frmProgramming>::get());
        look(FormInstance<frmEmpReport>::get());
        env->modalSteps.enqueue(lookAndClose());
        main.ShowHelpTopic(5);
        QCOMPARE(seen, (QStringList{"frmMain", "frmOnline", "frmEmployees", "frmProgramming", "frmEmpReport",
                                    "frmAboutGT430"}));
    }

    void theRegistersWindows()
    {
        frmMain& main = openMain();
        WindowWalks::registersWindows(*env, main, [this](Form& form) { look(form); });
        QCOMPARE(seen, (QStringList{"frmDetails", "frmCodes", "frmPicture", "frmHoliday"}));
    }

    void theOptionsWindows()
    {
        frmMain& main = openMain();
        WindowWalks::optionsWindows(*env, main, [this](Form& form) { look(form); });
        QCOMPARE(seen, (QStringList{"frmOptions", "frmPasswords", "frmPassword", "frmCompact", "frmLogin",
                                    "frmPrpComms", "BackAc"}));
    }

    // Each preview opens as wide as its columns, within the screen.
    void thePreviews()
    {
        openMain();
        ReportFixture::addEmployee(7, QStringLiteral("John"), QStringLiteral("Smith"));
        ReportFixture::addEvent(7, QStringLiteral("2026-03-02"), QStringLiteral("08:10:00"), 1);
        ReportFixture::addEvent(7, QStringLiteral("2026-03-02"), QStringLiteral("16:10:00"), 2);
        // A short day, and a code nobody holds.
        ReportFixture::addEmployee(8, QStringLiteral("Ann"), QStringLiteral("Baker"));
        ReportFixture::addEvent(8, QStringLiteral("2026-03-02"), QStringLiteral("08:00:00"), 1);
        ReportFixture::addEvent(8, QStringLiteral("2026-03-02"), QStringLiteral("10:00:00"), 2);
        ReportFixture::addEvent(-1, QStringLiteral("2026-03-02"), QStringLiteral("11:00:00"), 1);
        ReportFixture::setGroupStartTimes(QStringLiteral("08:00"), QString(), QString(), QString());
        appState().DefaultStartTime = QStringLiteral("08:00");
        appState().DefaultWorkHours = 9;
        FormInstance<frmMain>::get().ShowInfo_Click(3);
        frmEmpReport& filter = FormInstance<frmEmpReport>::get();
        for (int kind = 0; kind < 7; ++kind) {
            filter.Option1[kind]->setChecked(true);
            env->modalSteps.enqueue(lookAndClose());
            filter.PreviewReport();
        }
        QCOMPARE(seen.size(), 7);
        for (const QString& window : seen)
            QVERIFY2(!window.contains(QLatin1String(" at ")), qPrintable(window));
    }

    void theGuardsMonitor()
    {
        env->logInAsAdministrator();
        appState().LoginPassword = appState().GuardPassword;
        frmMain& main = FormInstance<frmMain>::get();
        main.showModeless(nullptr);
        QVERIFY(QTest::qWaitFor([] { return FormInstance<frmOnline>::exists(); }));
        look(FormInstance<frmOnline>::get());
        QCOMPARE(seen, QStringList{"frmOnline"});
    }

    // The help opens over the window it is asked from, not over the main toolbar.
    void theHelp()
    {
        HelpFixture::write(env->file(QStringLiteral("help")));
        WindowHelpService help;
        setHelpService(&help);
        frmMain& main = openMain();
        main.ShowInfo_Click(1);
        frmEmployees& list = FormInstance<frmEmployees>::get();
        list.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        help.showTopic(QStringLiteral("frmEmployees"));
        look(*help.window());
        setHelpService(nullptr);
        QCOMPARE(seen, QStringList{"HelpWindow"});
        QVERIFY((help.window()->frameGeometry().center() - list.frameGeometry().center()).manhattanLength() < 4);
    }
};

QTEST_MAIN(PlacementTest)
#include "tst_placement.moc"
