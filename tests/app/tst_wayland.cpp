#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/frmLogin.h"
#include "core/frmSplash.h"
#include "platform/forms/FormRegistry.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QWindow>
#include <QtTest>

#include <csignal>
#include <sys/prctl.h>

namespace {

// A headless weston of the test's own, in a runtime folder of its own.
class Weston {
public:
    // Empty when it runs; else why it does not.
    QString start()
    {
        const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
        if (weston.isEmpty())
            return QStringLiteral("weston is not installed");
        if (!m_runtime.isValid())
            return QStringLiteral("no runtime folder");
        QFile::setPermissions(m_runtime.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("DISPLAY"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        // It ends with the test, however the test ends.
        m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_process.start(weston, {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--socket=gt430"),
                                 QStringLiteral("--idle-time=0"), QStringLiteral("--width=1280"),
                                 QStringLiteral("--height=800")});
        if (!m_process.waitForStarted(5000))
            return QStringLiteral("weston does not start: ") + m_process.errorString();
        const QString socket = m_runtime.filePath(QStringLiteral("gt430"));
        for (int waited = 0; waited < 100 && !QFileInfo::exists(socket); ++waited) {
            if (m_process.waitForFinished(100))
                return QStringLiteral("weston ended at once: ") +
                       QString::fromLocal8Bit(m_process.readAll()).simplified().right(200);
        }
        if (!QFileInfo::exists(socket))
            return QStringLiteral("weston made no socket in 10 s");
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        qputenv("WAYLAND_DISPLAY", "gt430");
        return {};
    }

    ~Weston()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }

private:
    QTemporaryDir m_runtime;
    QProcess m_process;
};

QString& westonTrouble()
{
    static QString trouble;
    return trouble;
}

}

// The program under Wayland: its start-up window and login on a headless
// weston of the test's own, the Administrator's password typed, and the main
// window up. Where weston cannot start, the test says so in one line and is
// skipped.
class WaylandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!westonTrouble().isEmpty())
            QSKIP(qPrintable(QStringLiteral("no Wayland to test on: ") + westonTrouble()));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    }

    void theAdministratorLogsIn()
    {
        WindowTestEnvironment env;
        env.createDatabase();
        env.writePasswords(QStringLiteral("vantu"), QStringLiteral("lopri"), QStringLiteral("medek"));
        frmSplash& splash = FormInstance<frmSplash>::get();
        splash.showModeless(nullptr);
        QVERIFY(runEventLoopUntil([] { return FormInstance<frmLogin>::exists(); }));
        frmLogin& login = FormInstance<frmLogin>::get();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        QTest::keyClicks(login.Password, QStringLiteral("vantu"));
        QTest::keyClick(login.Password, Qt::Key_Return);
        QVERIFY(runEventLoopUntil([] { return FormInstance<frmMain>::exists(); }));
        frmMain& main = FormInstance<frmMain>::get();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QVERIFY(!SplashLoaded());
        QVERIFY(!main.GuardOnly);
        QCOMPARE(appState().LoginPassword, QStringLiteral("vantu   "));
        QVERIFY(env.prompts.boxes.isEmpty());
    }
};

int main(int argc, char** argv)
{
    Weston weston;
    westonTrouble() = weston.start();
    qputenv("QT_QPA_PLATFORM", westonTrouble().isEmpty() ? "wayland" : "offscreen");
    // A headless weston has no seat, and Qt's Wayland text input asks the seat
    // about every key a test sends; the plain input method asks nobody.
    qputenv("QT_IM_MODULE", "compose");
    QApplication app(argc, argv);
    WaylandTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wayland.moc"
