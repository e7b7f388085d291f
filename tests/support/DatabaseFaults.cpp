#include "tests/support/DatabaseFaults.h"

#include "platform/db/Connection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <unistd.h>

OtherProgramHoldsTheDatabase::OtherProgramHoldsTheDatabase(const QString& path) : m_db(Database::open(path, {}))
{
    m_db->execute(QStringLiteral("BEGIN IMMEDIATE"));
}

OtherProgramHoldsTheDatabase::~OtherProgramHoldsTheDatabase()
{
    letGo();
}

void OtherProgramHoldsTheDatabase::letGo()
{
    if (!m_db)
        return;
    m_db->execute(QStringLiteral("ROLLBACK"));
    m_db->close();
    m_db.reset();
}

RefusedCommits::RefusedCommits(Database& db) : m_connection(db.connection())
{
    sqlite3_commit_hook(m_connection->handle(), &RefusedCommits::refuse, this);
}

RefusedCommits::~RefusedCommits()
{
    if (m_connection->isOpen())
        sqlite3_commit_hook(m_connection->handle(), nullptr, nullptr);
}

int RefusedCommits::refuse(void* self)
{
    ++static_cast<RefusedCommits*>(self)->m_refused;
    return 1; // the commit becomes a rollback
}

namespace {

QString newMountPoint()
{
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/gt430-small-fs-XXXXXX"));
    dir.setAutoRemove(false);
    return dir.path();
}

QString filler(const QString& folder)
{
    return folder + QStringLiteral("/filler");
}

}

SmallFileSystem::SmallFileSystem() : m_path(newMountPoint())
{
    const QByteArray where = QFile::encodeName(m_path);
    m_mounted = ::mount("gt430-test", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=4m,mode=0700") == 0;
}

SmallFileSystem::~SmallFileSystem()
{
    m_limit.reset();
    if (m_mounted)
        ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    QDir(m_path).removeRecursively();
}

void SmallFileSystem::fill()
{
    if (!m_mounted) {
        m_limit = std::make_unique<FileSizeLimit>(1);
        return;
    }
    const int fd = ::open(QFile::encodeName(filler(m_path)).constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0)
        return;
    const char block[4096] = {};
    while (::write(fd, block, sizeof block) > 0) {
    }
    // What a block no longer took, byte by byte.
    while (::write(fd, block, 1) > 0) {
    }
    ::close(fd);
}

void SmallFileSystem::makeRoom()
{
    m_limit.reset();
    QFile::remove(filler(m_path));
}
