#include "platform/DurableOutput.h"

#include "platform/AppError.h"
#include "platform/DurableFile.h"
#include "platform/OwnerOnlyFile.h"
#include "platform/WriteAll.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Written to the system in pieces of this size.
constexpr qsizetype BufferSize = 64 * 1024;

}

DurableOutput::DurableOutput(QString path) : m_path(std::move(path)) {}

DurableOutput::~DurableOutput()
{
    discard();
}

void DurableOutput::create()
{
    discard();
    m_error = 0;
    const QByteArray target = QFile::encodeName(m_path);
    // A new file is its owner's alone; one that replaces a file takes that
    // file's mode when it is committed.
    const mode_t mode = OwnerOnlyFile::Mode;
    for (int attempt = 0;; ++attempt) {
        QByteArray name = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = std::move(name);
            break;
        }
        if (errno != EEXIST || attempt == 100)
            fail(errno);
    }
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

void DurableOutput::writeAll(const QByteArray& bytes)
{
    if (write(bytes) != bytes.size())
        throwIfFailed();
}

void DurableOutput::throwIfFailed() const
{
    if (m_error != 0)
        fail(m_error);
    if (m_fd < 0)
        fail(EBADF);
}

void DurableOutput::commit()
{
    throwIfFailed();
    if (!flushBuffer())
        fail(m_error);
    struct stat old {};
    const QByteArray target = QFile::encodeName(m_path);
    if (::stat(target.constData(), &old) == 0 && ::fchmod(m_fd, old.st_mode & 07777) != 0)
        fail(errno);
    if (::fsync(m_fd) != 0)
        fail(errno);
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        fail(errno);
    QIODevice::close();
    DurableFile::replace(QFile::decodeName(m_temporary), m_path);
    m_temporary.clear();
}

void DurableOutput::discard() noexcept
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
    m_buffer.clear();
    if (isOpen())
        QIODevice::close();
}

qint64 DurableOutput::readData(char*, qint64)
{
    return -1;
}

qint64 DurableOutput::writeData(const char* data, qint64 size)
{
    if (m_error != 0 || m_fd < 0)
        return -1;
    m_buffer.append(data, static_cast<qsizetype>(size));
    if (m_buffer.size() >= BufferSize && !flushBuffer())
        return -1;
    return size;
}

bool DurableOutput::flushBuffer()
{
    m_error = ::writeAll(m_fd, m_buffer.constData(), m_buffer.size());
    if (m_error != 0) {
        setErrorString(QString::fromLocal8Bit(std::strerror(m_error)));
        return false;
    }
    m_buffer.clear();
    return true;
}

void DurableOutput::fail(int error) const
{
    raiseError(
        Err::PathFileAccess,
        QStringLiteral("Cannot write the file %1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(error))));
}
