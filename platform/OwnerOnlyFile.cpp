#include "platform/OwnerOnlyFile.h"

#include <QFile>
#include <fcntl.h>
#include <unistd.h>

bool OwnerOnlyFile::createUnlessPresent(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, Mode);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}
