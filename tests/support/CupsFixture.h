#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A print system of the test's own: cupsd started in a temporary folder with
// its own configuration, socket, spool and logs, and a cups-pdf queue that
// writes its PDFs into that folder; stopped when the fixture goes. The
// system's own cupsd, if any, is neither used nor touched: cups-pdf reads its
// settings from one fixed place, so the daemon runs in a mount namespace of
// its own in which the fixture's settings stand there. This process and the
// programs it starts talk to this daemon alone while the fixture lives.
class CupsFixture {
public:
    CupsFixture();
    ~CupsFixture();
    CupsFixture(const CupsFixture&) = delete;
    CupsFixture& operator=(const CupsFixture&) = delete;

    // Empty once the daemon runs with its queue; else why it could not, in one line.
    const QString& unavailable() const { return m_unavailable; }

    static QString queue() { return QStringLiteral("gt430pdf"); }

    // The queue refuses new jobs with this reason, or takes them again.
    bool reject(const QString& reason);
    bool accept();
    // The queue takes jobs but prints none.
    bool disable();
    // The daemon goes on without its queue.
    bool removeQueue();
    // The daemon goes away; the queue is gone with it.
    void stop();
    // The daemon is told to go, and this returns at once: from any thread.
    void stopFromAnyThread() const;
    // The daemon stops answering (SIGSTOP) and takes up again (SIGCONT), as
    // one that hangs does; from any thread. A paused daemon is resumed before
    // the fixture stops it.
    void pause() const;
    void resume() const;

    // The names of the jobs the daemon knows, oldest first (done ones included).
    QStringList jobNames() const;
    // The names of those not yet printed.
    QStringList heldJobNames() const;
    // The PDFs cups-pdf has written, once `count` are there (within a few
    // seconds: each job goes through the print system's filters first).
    QStringList waitForPdfs(int count) const;

private:
    bool run(const QString& program, const QStringList& arguments) const;
    bool start();

    QTemporaryDir m_dir;
    QProcess m_daemon;
    qint64 m_pid = 0;
    QByteArray m_oldServer;
    bool m_hadServer = false;
    QString m_unavailable;
};
