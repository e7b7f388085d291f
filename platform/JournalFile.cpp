#include "platform/JournalFile.h"

#include "platform/AppError.h"
#include "platform/Log.h"
#include "platform/WriteAll.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype FrameHead = 8; // the length and the checksum, four bytes each, little-endian

const std::array<quint32, 256>& crcTable()
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

// CRC-32 (as zip's) over the length and the record: bytes the disk never
// wrote (zeros) do not pass for a record.
quint32 checksum(const char* lengthBytes, const char* data, qsizetype size)
{
    quint32 c = 0xFFFFFFFFu;
    const auto add = [&c](const char* bytes, qsizetype n) {
        for (qsizetype i = 0; i < n; ++i)
            c = crcTable()[(c ^ static_cast<quint8>(bytes[i])) & 0xFF] ^ (c >> 8);
    };
    add(lengthBytes, 4);
    add(data, size);
    return c ^ 0xFFFFFFFFu;
}

// Byte by byte: the compiler's bounds check cannot see that the caller
// made sure four bytes are there, and fails the build on a memcpy.
quint32 littleEndian32(const QByteArray& bytes, qsizetype at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes.at(at + i));
    return value;
}

bool onlyZeros(const QByteArray& bytes, qsizetype from)
{
    for (qsizetype i = from; i < bytes.size(); ++i) {
        if (bytes.at(i) != 0)
            return false;
    }
    return true;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

}

QByteArray JournalFile::header()
{
    return QByteArrayLiteral("GT430 journal 1\n");
}

QByteArray JournalFile::frame(const QByteArray& record)
{
    QByteArray bytes(FrameHead + record.size(), Qt::Uninitialized);
    qToLittleEndian<quint32>(static_cast<quint32>(record.size()), bytes.data());
    qToLittleEndian<quint32>(checksum(bytes.constData(), record.constData(), record.size()), bytes.data() + 4);
    std::memcpy(bytes.data() + FrameHead, record.constData(), static_cast<size_t>(record.size()));
    return bytes;
}

JournalFile::Contents JournalFile::read(const QString& path)
{
    Contents contents;
    QFile file(path);
    if (!QFileInfo::exists(path))
        return contents;
    if (!file.open(QIODevice::ReadOnly))
        raiseError(Err::PathFileAccess, file.errorString());
    const QByteArray all = file.readAll();
    if (file.error() != QFileDevice::NoError)
        raiseError(Err::PathFileAccess, file.errorString());
    if (all.isEmpty())
        return contents;
    const QByteArray head = header();
    if (all.size() < head.size() && head.startsWith(all)) {
        // The power went while the first batch was written.
        contents.cutShort = true;
        return contents;
    }
    if (!all.startsWith(head))
        raiseError(Err::PathFileAccess, QStringLiteral("not a journal of this version of GT-430"));
    qsizetype at = head.size();
    contents.wholeLength = at;
    while (at < all.size()) {
        const qsizetype left = all.size() - at;
        if (left < FrameHead) {
            contents.cutShort = true;
            break;
        }
        const auto length = static_cast<qsizetype>(littleEndian32(all, at));
        if (length > left - FrameHead) {
            contents.cutShort = true;
            break;
        }
        const quint32 stored = littleEndian32(all, at + 4);
        if (checksum(all.constData() + at, all.constData() + at + FrameHead, length) != stored) {
            if (at + FrameHead + length == all.size() || onlyZeros(all, at))
                contents.cutShort = true;
            else
                contents.damage = QStringLiteral("the record at byte %1 is damaged").arg(at);
            break;
        }
        contents.records << all.mid(at + FrameHead, length);
        at += FrameHead + length;
        contents.wholeLength = at;
    }
    return contents;
}

JournalWriter::JournalWriter(QString path, qint64 wholeLength) : m_path(std::move(path)), m_length(wholeLength)
{
    m_thread = std::thread([this] { run(); });
}

JournalWriter::~JournalWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_work.notify_all();
    m_thread.join();
    if (m_fd >= 0)
        ::close(m_fd);
}

void JournalWriter::append(QList<QByteArray> records)
{
    if (records.isEmpty())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_steps.push_back(Step{false, std::move(records)});
        ++m_handedOver;
    }
    m_work.notify_one();
}

void JournalWriter::clear()
{
    {
        const std::lock_guard lock(m_mutex);
        m_steps.push_back(Step{true, {}});
        ++m_handedOver;
    }
    m_work.notify_one();
}

bool JournalWriter::flush(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    return m_done.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_finished == m_handedOver; });
}

QString JournalWriter::failure() const
{
    const std::lock_guard lock(m_mutex);
    return m_failure;
}

void JournalWriter::run()
{
    std::deque<Step> steps;
    std::unique_lock lock(m_mutex);
    for (;;) {
        const auto more = [this] { return m_stop || !m_steps.empty(); };
        if (steps.empty())
            m_work.wait(lock, more);
        else
            m_work.wait_for(lock, std::chrono::milliseconds(RetryMs), more);
        const bool stopping = m_stop;
        while (!m_steps.empty()) {
            steps.push_back(std::move(m_steps.front()));
            m_steps.pop_front();
        }
        const qint64 taken = m_handedOver;
        lock.unlock();
        carryOut(steps);
        lock.lock();
        m_finished = taken - static_cast<qint64>(steps.size());
        m_done.notify_all();
        if (stopping)
            return;
    }
}

bool JournalWriter::carryOut(std::deque<Step>& steps)
{
    // What stands before the last clear is done with: it need not be written.
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        if (!it->clear)
            continue;
        steps.erase(steps.begin(), it.base() - 1);
        if (!truncate())
            return false;
        steps.pop_front();
        break;
    }
    if (steps.empty())
        return true;
    QByteArray bytes;
    for (const Step& step : steps) {
        for (const QByteArray& record : step.records)
            bytes += JournalFile::frame(record);
    }
    if (!writeBatch(bytes))
        return false;
    steps.clear();
    return true;
}

bool JournalWriter::open()
{
    if (m_fd >= 0)
        return true;
    const QByteArray native = QFile::encodeName(m_path);
    const bool existed = QFileInfo::exists(m_path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        refused(systemReason(errno));
        return false;
    }
    struct stat info {};
    // Only its owner reads it, whatever the umask or the mode an older file had.
    if (::fchmod(fd, 0600) != 0 || ::fstat(fd, &info) != 0 ||
        (info.st_size > m_length && ::ftruncate(fd, m_length) != 0)) {
        refused(systemReason(errno));
        ::close(fd);
        return false;
    }
    if (info.st_size < m_length)
        m_length = 0;
    if (!existed) {
        // The new name itself must survive a power cut.
        const QByteArray folder = QFile::encodeName(QFileInfo(m_path).absolutePath());
        const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    m_fd = fd;
    return true;
}

bool JournalWriter::writeBatch(const QByteArray& batch)
{
    if (!open())
        return false;
    const QByteArray bytes = m_length == 0 ? JournalFile::header() + batch : batch;
    if (m_length == 0 && ::ftruncate(m_fd, 0) != 0) {
        refused(systemReason(errno));
        return false;
    }
    int error = writeAll(m_fd, bytes.constData(), bytes.size());
    if (error == 0 && ::fdatasync(m_fd) != 0)
        error = errno;
    if (error != 0) {
        // Nothing of the refused batch stays to stand between the records.
        if (::ftruncate(m_fd, m_length) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
        refused(systemReason(error));
        return false;
    }
    m_length += bytes.size();
    {
        const std::lock_guard lock(m_mutex);
        if (m_failure.isEmpty())
            return true;
        m_failure.clear();
    }
    qCInfo(lcGt430).noquote() << QStringLiteral("The journal %1 is written again").arg(m_path);
    return true;
}

bool JournalWriter::truncate()
{
    if (!open())
        return false;
    if (::ftruncate(m_fd, 0) != 0 || ::fdatasync(m_fd) != 0) {
        refused(systemReason(errno));
        return false;
    }
    m_length = 0;
    return true;
}

void JournalWriter::refused(const QString& reason)
{
    {
        const std::lock_guard lock(m_mutex);
        const bool told = !m_failure.isEmpty();
        m_failure = reason;
        if (told)
            return;
    }
    qCWarning(lcGt430).noquote()
        << QStringLiteral("The journal %1 cannot be written (%2); it is tried again, and what it should keep "
                          "stays in memory meanwhile")
               .arg(m_path, reason);
}
