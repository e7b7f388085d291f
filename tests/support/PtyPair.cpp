#include "tests/support/PtyPair.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_slavePath = QString::fromLocal8Bit(name);
}

PtyPair::~PtyPair()
{
    closeMaster();
    if (m_slave >= 0)
        ::close(m_slave);
}

bool PtyPair::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    int stalls = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (++stalls > 1000)
            return false;
        usleep(1000);
    }
    return true;
}

QByteArray PtyPair::readFromSlave()
{
    QByteArray all;
    char chunk[1024];
    ssize_t n;
    while ((n = ::read(m_master, chunk, sizeof chunk)) > 0)
        all.append(chunk, n);
    return all;
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

bool PtyPair::linkAs(const QString& folder, int number) const
{
    const QString link = QDir(folder).filePath(QStringLiteral("COM%1").arg(number));
    QFile::remove(link);
    return QFile::link(m_slavePath, link);
}
