#include "platform/DurableFile.h"

#include "platform/AppError.h"
#include "platform/WriteAll.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const QString& what, const QString& path, int error)
{
    raiseError(Err::PathFileAccess,
               QStringLiteral("%1 %2: %3").arg(what, path, QString::fromLocal8Bit(std::strerror(error))));
}

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

mode_t modeOf(QFileDevice::Permissions p)
{
    mode_t mode = 0;
    const std::pair<QFileDevice::Permission, mode_t> bits[] = {
        {QFileDevice::ReadOwner, S_IRUSR}, {QFileDevice::WriteOwner, S_IWUSR}, {QFileDevice::ExeOwner, S_IXUSR},
        {QFileDevice::ReadGroup, S_IRGRP}, {QFileDevice::WriteGroup, S_IWGRP}, {QFileDevice::ExeGroup, S_IXGRP},
        {QFileDevice::ReadOther, S_IROTH}, {QFileDevice::WriteOther, S_IWOTH}, {QFileDevice::ExeOther, S_IXOTH}};
    for (const auto& [permission, bit] : bits) {
        if (p.testFlag(permission))
            mode |= bit;
    }
    return mode;
}

// A file or a folder; the error number, 0 when done.
int syncPath(const QString& path, int flags)
{
    const int fd = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

}

void DurableFile::write(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions)
{
    QByteArray temporary = native(path) + ".XXXXXX";
    // mkstemp makes the file for its owner alone, so nothing is readable before the mode is set.
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        fail(QStringLiteral("Cannot create a file beside"), path, errno);
    int error = writeAll(fd, bytes.constData(), bytes.size());
    if (error == 0 && ::fchmod(fd, modeOf(permissions)) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        fail(QStringLiteral("Cannot write"), path, error);
    }
    try {
        replace(QFile::decodeName(temporary), path);
    } catch (const AppError&) {
        ::unlink(temporary.constData());
        throw;
    }
}

void DurableFile::createPrivate(const QString& path)
{
    const int fd = ::open(native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0)
        fail(QStringLiteral("Cannot create"), path, errno);
    ::close(fd);
}

void DurableFile::sync(const QString& path)
{
    if (const int error = syncPath(path, 0))
        fail(QStringLiteral("Cannot sync"), path, error);
}

void DurableFile::replace(const QString& from, const QString& to)
{
    if (std::rename(native(from).constData(), native(to).constData()) != 0)
        fail(QStringLiteral("Cannot put in place"), to, errno);
    // Once renamed the new file is in place; a folder that cannot be synced
    // (some file systems refuse) only leaves the rename to the system's own flush.
    syncPath(QFileInfo(to).absolutePath(), O_DIRECTORY);
}
