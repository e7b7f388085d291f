#include "platform/FolderLock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderLock::~FolderLock()
{
    release();
}

bool FolderLock::take(const QString& folder)
{
    release();
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void FolderLock::release()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
}
