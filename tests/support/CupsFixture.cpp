#include "tests/support/CupsFixture.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <cups/cups.h>
#include <signal.h>

namespace {

// cups-pdf's settings file, always at this place.
const QString CupsPdfSettings = QStringLiteral("/etc/cups/cups-pdf.conf");
const QString CupsPdfDriver = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd");

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) == text.toUtf8().size();
}

}

CupsFixture::CupsFixture()
{
    m_hadServer = qEnvironmentVariableIsSet("CUPS_SERVER");
    m_oldServer = qgetenv("CUPS_SERVER");
    if (!start())
        stop();
}

CupsFixture::~CupsFixture()
{
    stop();
    if (m_hadServer)
        qputenv("CUPS_SERVER", m_oldServer);
    else
        qunsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

bool CupsFixture::start()
{
    const QString cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin")});
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (cupsd.isEmpty() || !QFile::exists(CupsPdfSettings) || !QFile::exists(CupsPdfDriver)) {
        m_unavailable = QStringLiteral("cupsd or cups-pdf is not installed");
        return false;
    }
    if (unshare.isEmpty() || !m_dir.isValid()) {
        m_unavailable = QStringLiteral("no unshare or no temporary folder for cupsd");
        return false;
    }
    const QString root = m_dir.path();
    for (const char* folder : {"spool/tmp", "cache", "state", "log", "out", "pdfspool", "ppd"})
        QDir(root).mkpath(QLatin1String(folder));
    // cupsd hands the spool to its own user: the folder must let it in.
    QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                    QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QString socket = root + QStringLiteral("/cups.sock");
    const bool written =
        writeFile(root + QStringLiteral("/cupsd.conf"),
                  QStringLiteral("Listen %1\nLogLevel warn\nBrowsing Off\nDefaultAuthType None\nWebInterface No\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                      .arg(socket)) &&
        writeFile(root + QStringLiteral("/cups-files.conf"),
                  QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                                 "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                 "PageLog %1/log/page_log\n")
                      .arg(root)) &&
        writeFile(root + QStringLiteral("/cups-pdf.conf"),
                  QStringLiteral("Out %1/out\nAnonDirName %1/out\nSpool %1/pdfspool\nLog %1/log\nLabel 0\n").arg(root));
    if (!written) {
        m_unavailable = QStringLiteral("cannot write the settings of cupsd into ") + root;
        return false;
    }
    const QString daemon =
        QStringLiteral(
            "mount --bind '%1/cups-pdf.conf' '%2' && exec '%3' -f -c '%1/cupsd.conf' -s '%1/cups-files.conf'")
            .arg(root, CupsPdfSettings, cupsd);
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    m_daemon.start(unshare, {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                             QStringLiteral("sh"), QStringLiteral("-c"), daemon});
    if (!m_daemon.waitForStarted(5000)) {
        m_unavailable = QStringLiteral("cannot start cupsd: ") + m_daemon.errorString();
        return false;
    }
    // unshare and the shell each become cupsd in turn: the process is the daemon.
    m_pid = m_daemon.processId();

    qputenv("CUPS_SERVER", socket.toUtf8());
    cupsSetServer(socket.toUtf8().constData());
    // The daemon is up once it answers on its socket.
    const QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(socket) || !run(QStringLiteral("lpstat"), {QStringLiteral("-r")})) {
        if (m_daemon.state() != QProcess::Running || deadline.hasExpired()) {
            m_daemon.waitForFinished(1000);
            const QString said = QString::fromLocal8Bit(m_daemon.readAll()).simplified();
            m_unavailable =
                QStringLiteral("cupsd did not start") + (said.isEmpty() ? QString() : QStringLiteral(": ") + said);
            return false;
        }
        QThread::msleep(20);
    }
    if (!run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), queue(), QStringLiteral("-E"), QStringLiteral("-v"),
                                         QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), CupsPdfDriver})) {
        m_unavailable = QStringLiteral("cupsd started, but took no cups-pdf queue");
        return false;
    }
    return true;
}

bool CupsFixture::reject(const QString& reason)
{
    return run(QStringLiteral("cupsreject"), {QStringLiteral("-r"), reason, queue()});
}

bool CupsFixture::accept()
{
    return run(QStringLiteral("cupsaccept"), {queue()});
}

bool CupsFixture::disable()
{
    return run(QStringLiteral("cupsdisable"), {queue()});
}

bool CupsFixture::removeQueue()
{
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue()});
}

void CupsFixture::stop()
{
    if (m_daemon.state() == QProcess::NotRunning)
        return;
    resume();
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(10000)) {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
}

void CupsFixture::stopFromAnyThread() const
{
    if (m_pid > 0)
        ::kill(static_cast<pid_t>(m_pid), SIGTERM);
}

void CupsFixture::pause() const
{
    if (m_pid > 0)
        ::kill(static_cast<pid_t>(m_pid), SIGSTOP);
}

void CupsFixture::resume() const
{
    if (m_pid > 0)
        ::kill(static_cast<pid_t>(m_pid), SIGCONT);
}

QStringList CupsFixture::jobNames() const
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue().toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QString::fromUtf8(jobs[i].title);
    cupsFreeJobs(count, jobs);
    return names;
}

QStringList CupsFixture::heldJobNames() const
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue().toUtf8().constData(), 0, CUPS_WHICHJOBS_ACTIVE);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QString::fromUtf8(jobs[i].title);
    cupsFreeJobs(count, jobs);
    return names;
}

QStringList CupsFixture::waitForPdfs(int count) const
{
    const QDir out(m_dir.filePath(QStringLiteral("out")));
    const QDeadlineTimer deadline(20000);
    for (;;) {
        QStringList files;
        for (const QString& name : out.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time | QDir::Reversed))
            files << out.filePath(name);
        // cups-pdf names its file before it has written it: the job ends after.
        cups_job_t* jobs = nullptr;
        const int active =
            cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue().toUtf8().constData(), 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(active, jobs);
        if ((files.size() >= count && active == 0) || deadline.hasExpired())
            return files;
        QThread::msleep(50);
    }
}

bool CupsFixture::run(const QString& program, const QStringList& arguments) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
