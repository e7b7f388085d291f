#include "platform/serial/SerialCommPort.h"

#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/serial/PortError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The device a path names: the target of a link (which may not be there), else the path itself.
QString deviceBehind(const QString& path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

[[noreturn]] void refuse(int number, const QString& what, const QString& device, int error)
{
    QString text = what + QStringLiteral(": ") + device;
    if (error != 0)
        text += QStringLiteral(" (") + systemText(error) + QLatin1Char(')');
    throw PortError(number, text, device, deviceBehind(device), error);
}

// 9600 baud, 8 data bits, no parity, one stop bit, no flow control, bytes as they come.
bool setLine(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, B9600) != 0 || cfsetospeed(&tio, B9600) != 0)
        return false;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

}

SerialCommPort::~SerialCommPort()
{
    close();
}

QString SerialCommPort::linkPath(int16_t number)
{
    return QDir(ProgramFolder::path()).filePath(QStringLiteral("COM%1").arg(number));
}

QString SerialCommPort::devicePath(int16_t number)
{
    const QString link = linkPath(number);
    const QFileInfo info(link);
    if (info.isSymLink() || info.exists())
        return link;
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
}

void SerialCommPort::setCommPort(int16_t number)
{
    if (portOpen())
        raiseError(CommError::PortAlreadyOpen, QStringLiteral("Port already open"));
    m_number = number;
}

void SerialCommPort::setPortOpen(bool wanted)
{
    if (wanted && !portOpen()) {
        if (m_number < 1)
            raiseError(CommError::InvalidPortNumber, QStringLiteral("Invalid port number"));
        open(devicePath(m_number));
    } else if (!wanted) {
        close();
    }
}

void SerialCommPort::reopen()
{
    if (portOpen())
        return;
    if (m_lastDevice == linkPath(m_number))
        open(m_lastDevice);
    else
        setPortOpen(true);
}

bool SerialCommPort::namesAnotherDevice() const
{
    if (!portOpen())
        return false;
    const QString named = devicePath(m_number);
    if (named != m_device)
        return true;
    struct stat now {};
    struct stat opened {};
    if (::stat(QFile::encodeName(named).constData(), &now) != 0 || ::fstat(m_fd, &opened) != 0)
        return true;
    return now.st_rdev != opened.st_rdev || now.st_ino != opened.st_ino || now.st_dev != opened.st_dev;
}

void SerialCommPort::open(const QString& device)
{
    m_lastDevice = device;
    const QByteArray path = QFile::encodeName(device);
    // Read-only: the program never writes a byte to the unit.
    const int fd = ::open(path.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == EBUSY)
            refuse(CommError::PortAlreadyOpen, QStringLiteral("Port already open"), device, error);
        refuse(CommError::InvalidPortNumber, QStringLiteral("Invalid port number"), device, error);
    }
    if (!isatty(fd)) {
        ::close(fd);
        refuse(CommError::InvalidPortNumber, QStringLiteral("Not a serial port"), device, 0);
    }
    // Both locks: flock keeps out other programs that lock, TIOCEXCL those that do not.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        refuse(CommError::PortAlreadyOpen, QStringLiteral("Port already open"), device, error);
    }
    if (ioctl(fd, TIOCEXCL) != 0 || !setLine(fd)) {
        const int error = errno;
        ::close(fd);
        refuse(CommError::InvalidPortNumber, QStringLiteral("Invalid port number"), device, error);
    }
    const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
        const int error = errno;
        ::close(fd);
        refuse(CommError::InvalidPortNumber, QStringLiteral("Invalid port number"), device, error);
    }
    m_fd = fd;
    m_device = device;
    m_wake = wake;
    m_lostError = 0;
    m_reader = std::thread([this] { readLoop(); });
}

void SerialCommPort::close()
{
    if (m_fd < 0)
        return;
    const uint64_t one = 1;
    if (::write(m_wake, &one, sizeof one) < 0) {
        // An eventfd takes the write unless its count is full, which it never is here.
    }
    m_reader.join();
    ::close(m_wake);
    m_wake = -1;
    ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
    m_device.clear();
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_taken.clear();
    m_takenBytes = 0;
    m_lostError = 0;
}

void SerialCommPort::takeWaiting()
{
    if (m_lostError != 0)
        return;
    int waiting = 0;
    if (ioctl(m_fd, FIONREAD, &waiting) != 0) {
        m_lostError = errno;
        return;
    }
    QByteArray bytes;
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::read(m_fd, chunk, sizeof chunk);
        if (got > 0) {
            bytes.append(chunk, got);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            m_lostError = errno;
        break;
    }
    if (bytes.isEmpty())
        return;
    m_takenBytes += bytes.size();
    m_taken.append(PortInput{std::move(bytes), programClock().now()});
}

void SerialCommPort::readLoop()
{
    for (;;) {
        pollfd watch[2] = {{m_fd, POLLIN, 0}, {m_wake, POLLIN, 0}};
        if (::poll(watch, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (watch[1].revents != 0)
            return;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            takeWaiting();
            // A line hung up (an adapter pulled out, the far end of a
            // pseudo-terminal closed) gives nothing more.
            if (m_lostError == 0 && (watch[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0)
                m_lostError = EIO;
            if (m_lostError != 0)
                return;
        }
        // A piece at most every 50 ms: a packet's bytes mostly come together,
        // and the reader does not wake for every byte of the line.
        pollfd stop = {m_wake, POLLIN, 0};
        if (::poll(&stop, 1, 50) > 0)
            return;
    }
}

void SerialCommPort::requireTaken()
{
    requireOpen();
    int error = 0;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        takeWaiting();
        if (m_takenBytes > 0 || m_lostError == 0)
            return;
        error = m_lostError;
    }
    lost(error);
}

void SerialCommPort::requireOpen() const
{
    if (!portOpen())
        raiseError(CommError::PortNotOpen, QStringLiteral("Operation valid only when the port is open"));
}

void SerialCommPort::lost(int error)
{
    const QString device = m_device;
    close();
    refuse(CommError::PortNotOpen, QStringLiteral("The device is gone"), device, error);
}

int SerialCommPort::inBufferCount()
{
    requireTaken();
    const std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_takenBytes);
}

void SerialCommPort::clearInBuffer()
{
    if (!portOpen())
        return;
    const std::lock_guard<std::mutex> lock(m_mutex);
    tcflush(m_fd, TCIFLUSH);
    m_taken.clear();
    m_takenBytes = 0;
}

QList<PortInput> SerialCommPort::readArrivals()
{
    requireTaken();
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_takenBytes = 0;
    return std::exchange(m_taken, {});
}

QByteArray SerialCommPort::readInput()
{
    QByteArray all;
    for (const PortInput& input : readArrivals())
        all += input.bytes;
    return all;
}
