// gt430-simulator: plays the GT-430 door unit on a serial line. It sends
// code reads and door status, framed as the unit frames them, to a serial
// device or to a pseudo-terminal of its own, at the line's pace or as fast
// as possible, and can add the faults of a noisy line.

#include "link/UnitSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double LineBytesPerSecond = 960.0; // 9600 baud, 8N1

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

// The link this run made and the slave it names, removed however the run
// ends: plain buffers, since a signal handler removes it.
char madeLink[4096];
char madeTarget[256];

void removeMadeLink() noexcept
{
    if (!madeLink[0])
        return;
    char target[sizeof madeTarget] = {};
    // Only while it is still ours: another run may have made it anew.
    const ssize_t length = ::readlink(madeLink, target, sizeof target - 1);
    if (length > 0 && std::strcmp(target, madeTarget) == 0)
        ::unlink(madeLink);
    madeLink[0] = '\0';
}

void endOnSignal(int signal)
{
    removeMadeLink();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void removeLinkAtTheEnd(const QString& link, const QString& target)
{
    const QByteArray l = QFile::encodeName(link);
    const QByteArray t = QFile::encodeName(target);
    if (static_cast<size_t>(l.size()) >= sizeof madeLink || static_cast<size_t>(t.size()) >= sizeof madeTarget)
        return;
    std::memcpy(madeLink, l.constData(), static_cast<size_t>(l.size()) + 1);
    std::memcpy(madeTarget, t.constData(), static_cast<size_t>(t.size()) + 1);
    std::atexit(removeMadeLink);
    struct sigaction action {};
    action.sa_handler = endOnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

[[noreturn]] void fail(const QString& text)
{
    QTextStream(stderr) << "gt430-simulator: " << text << Qt::endl;
    std::exit(2);
}

void makeRaw(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return;
    cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL;
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(fd, TCSANOW, &tio);
}

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        } else {
            return false;
        }
    }
    return true;
}

// Writes at the line's pace: a byte takes 1/960 s.
bool writePaced(int fd, const QByteArray& bytes, bool fast, Clock::time_point& lineFree)
{
    if (fast)
        return writeAll(fd, bytes.constData(), static_cast<size_t>(bytes.size()));
    const auto perByte = std::chrono::duration<double>(1.0 / LineBytesPerSecond);
    for (qsizetype i = 0; i < bytes.size(); i += 8) {
        const qsizetype n = qMin<qsizetype>(8, bytes.size() - i);
        if (lineFree < Clock::now())
            lineFree = Clock::now();
        std::this_thread::sleep_until(lineFree);
        if (!writeAll(fd, bytes.constData() + i, static_cast<size_t>(n)))
            return false;
        lineFree += std::chrono::duration_cast<Clock::duration>(perByte * n);
    }
    return true;
}

// With nobody at the slave end the master reports a hang-up.
void waitForReader(int master)
{
    for (;;) {
        pollfd p{master, POLLOUT, 0};
        if (poll(&p, 1, 100) >= 0 && !(p.revents & POLLHUP))
            return;
    }
}

int parseInt(const QCommandLineParser& args, const QString& name, int low, int high)
{
    bool ok = false;
    const int v = args.value(name).toInt(&ok, 0);
    if (!ok || v < low || v > high)
        fail(QStringLiteral("--%1 wants a number from %2 to %3").arg(name).arg(low).arg(high));
    return v;
}

}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gt430-simulator"));

    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral(
        "Plays the GT-430 door unit on a serial line: code reads and door status, framed with the sync bytes,\n"
        "header, N and checksum. Without --device it opens a pseudo-terminal pair and prints the slave's path;\n"
        "link it as COMn in the program folder (ln -s /dev/pts/N build/bin/COM1) and choose that port."));
    args.addHelpOption();
    args.addOptions({
        {QStringLiteral("device"), QStringLiteral("Write to this serial device (set to 9600 8N1 raw)."),
         QStringLiteral("path")},
        {QStringLiteral("link"),
         QStringLiteral("With a pseudo-terminal: also make this link to its slave (e.g. build/bin/COM1)."),
         QStringLiteral("path")},
        {QStringLiteral("fast"),
         QStringLiteral(
             "Send as fast as possible, without pauses, instead of the line's pace (960 bytes/s) and the intervals.")},
        {QStringLiteral("count"), QStringLiteral("Code reads to send; 0 sends until interrupted (default 0)."),
         QStringLiteral("n"), QStringLiteral("0")},
        {QStringLiteral("interval"), QStringLiteral("Milliseconds between code reads (default 2000)."),
         QStringLiteral("ms"), QStringLiteral("2000")},
        {QStringLiteral("status-every"),
         QStringLiteral("Milliseconds between door-status packets; 0 sends one at the start (default 10000)."),
         QStringLiteral("ms"), QStringLiteral("10000")},
        {QStringLiteral("mode"), QStringLiteral("Door mode: normal, secure or bypass (default normal)."),
         QStringLiteral("mode"), QStringLiteral("normal")},
        {QStringLiteral("tamper"), QStringLiteral("Report the tamper switch open.")},
        {QStringLiteral("cards"),
         QStringLiteral("Card numbers to present in turn, comma-separated (default 4660,1000001,77)."),
         QStringLiteral("list")},
        {QStringLiteral("pins"),
         QStringLiteral("PINs to type in turn, comma-separated (digits 0-9, letters B-F, up to 6)."),
         QStringLiteral("list")},
        {QStringLiteral("direction"), QStringLiteral("in, out or alternate (default alternate)."),
         QStringLiteral("dir"), QStringLiteral("alternate")},
        {QStringLiteral("result"),
         QStringLiteral("opened, secure, timezones, unknown, or a byte value (default opened)."),
         QStringLiteral("result"), QStringLiteral("opened")},
        {QStringLiteral("slot"),
         QStringLiteral("Slot number to report (default: the code's place in the list, from 1)."), QStringLiteral("n")},
        {QStringLiteral("lock-strike"), QStringLiteral("Report lock strike 1 or 2 instead of a slot."),
         QStringLiteral("n")},
        {QStringLiteral("faults"),
         QStringLiteral("Faults to add in turn, comma-separated: split, junk, ffrun, badsum, n245, truncate."),
         QStringLiteral("list")},
        {QStringLiteral("fault-every"), QStringLiteral("Every n-th code read carries the next fault (default 5)."),
         QStringLiteral("n"), QStringLiteral("5")},
        {QStringLiteral("split-pause"),
         QStringLiteral("Milliseconds between the two writes of a split packet (default 300)."), QStringLiteral("ms"),
         QStringLiteral("300")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the fault bytes (default 1)."), QStringLiteral("n"),
         QStringLiteral("1")},
        {QStringLiteral("no-wait"),
         QStringLiteral("With a pseudo-terminal: send at once, not only when a program has opened the slave.")},
        {QStringLiteral("exit"),
         QStringLiteral("With a pseudo-terminal: end after the last packet instead of keeping the line open.")},
        {QStringLiteral("quiet"), QStringLiteral("Print only the slave's path.")},
    });
    args.process(app);

    UnitSimulator::Options o;
    o.count = parseInt(args, QStringLiteral("count"), 0, 1 << 30);
    o.intervalMs = parseInt(args, QStringLiteral("interval"), 0, 1 << 30);
    o.statusEveryMs = parseInt(args, QStringLiteral("status-every"), 0, 1 << 30);
    o.faultEvery = parseInt(args, QStringLiteral("fault-every"), 1, 1 << 30);
    o.seed = static_cast<quint32>(parseInt(args, QStringLiteral("seed"), 0, 1 << 30));
    const int splitPause = parseInt(args, QStringLiteral("split-pause"), 0, 60000);
    const QString mode = args.value(QStringLiteral("mode"));
    o.mode = mode == QLatin1String("secure") ? 2 : mode == QLatin1String("bypass") ? 3 : 1;
    if (o.mode == 1 && mode != QLatin1String("normal"))
        fail(QStringLiteral("--mode is normal, secure or bypass"));
    o.tamper = args.isSet(QStringLiteral("tamper"));
    if (args.isSet(QStringLiteral("cards")) || args.isSet(QStringLiteral("pins")))
        o.cards.clear();
    for (const QString& c : args.value(QStringLiteral("cards")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint v = c.trimmed().toUInt(&ok);
        if (!ok || v > 0xFFFFFF)
            fail(QStringLiteral("card numbers go from 0 to 16777215: ") + c);
        o.cards << v;
    }
    for (const QString& p : args.value(QStringLiteral("pins")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (PacketBuilder::pinBytes(p.trimmed()).isEmpty())
            fail(QStringLiteral("a PIN has up to six of 0-9 and B-F: ") + p);
        o.pins << p.trimmed();
    }
    const QString direction = args.value(QStringLiteral("direction"));
    o.direction = direction == QLatin1String("in")    ? UnitSimulator::Direction::In
                  : direction == QLatin1String("out") ? UnitSimulator::Direction::Out
                                                      : UnitSimulator::Direction::Alternate;
    const QString result = args.value(QStringLiteral("result"));
    if (result == QLatin1String("opened"))
        o.result = 0;
    else if (result == QLatin1String("secure"))
        o.result = 8;
    else if (result == QLatin1String("timezones"))
        o.result = 16;
    else if (result == QLatin1String("unknown"))
        o.result = 24;
    else
        o.result = parseInt(args, QStringLiteral("result"), 0, 255);
    if (args.isSet(QStringLiteral("slot")))
        o.slot = parseInt(args, QStringLiteral("slot"), 0, 0xFEFF);
    if (args.isSet(QStringLiteral("lock-strike")))
        o.lockStrike = parseInt(args, QStringLiteral("lock-strike"), 1, 2);
    for (const QString& f : args.value(QStringLiteral("faults")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        UnitSimulator::Fault fault;
        if (!UnitSimulator::parseFault(f.trimmed(), fault))
            fail(QStringLiteral("unknown fault: ") + f);
        o.faults << fault;
    }
    const bool fast = args.isSet(QStringLiteral("fast"));
    const bool quiet = args.isSet(QStringLiteral("quiet"));

    int fd = -1;
    bool pty = false;
    if (args.isSet(QStringLiteral("device"))) {
        const QByteArray path = QFile::encodeName(args.value(QStringLiteral("device")));
        fd = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            fail(QStringLiteral("cannot open %1: %2")
                     .arg(QString::fromLocal8Bit(path), QString::fromLocal8Bit(std::strerror(errno))));
        makeRaw(fd);
    } else {
        int slave = -1;
        char name[256] = {};
        if (openpty(&fd, &slave, name, nullptr, nullptr) != 0)
            fail(QStringLiteral("cannot open a pseudo-terminal: ") + QString::fromLocal8Bit(std::strerror(errno)));
        makeRaw(slave);
        ::close(slave); // so that the master tells when a program opens it
        pty = true;
        const QString slavePath = QString::fromLocal8Bit(name);
        if (args.isSet(QStringLiteral("link"))) {
            const QString link = args.value(QStringLiteral("link"));
            QFile::remove(link);
            if (!QFile::link(slavePath, link))
                fail(QStringLiteral("cannot make the link ") + link);
            removeLinkAtTheEnd(link, slavePath);
        }
        out() << "slave: " << slavePath << Qt::endl;
        if (!args.isSet(QStringLiteral("no-wait"))) {
            if (!quiet)
                out() << "waiting for a program to open it" << Qt::endl;
            waitForReader(fd);
        }
    }

    UnitSimulator unit(o);
    const Clock::time_point start = Clock::now();
    Clock::time_point lineFree = start;
    while (!unit.done()) {
        const UnitSimulator::Transmission t = unit.next();
        if (!fast)
            std::this_thread::sleep_until(start + std::chrono::milliseconds(t.atMs));
        for (qsizetype i = 0; i < t.chunks.size(); ++i) {
            if (i > 0 && !fast)
                std::this_thread::sleep_for(std::chrono::milliseconds(splitPause));
            if (!writePaced(fd, t.chunks.at(i), fast, lineFree))
                fail(QStringLiteral("the line is gone: ") + QString::fromLocal8Bit(std::strerror(errno)));
        }
        if (!quiet)
            out() << QStringLiteral("[%1 s] ").arg(std::chrono::duration<double>(Clock::now() - start).count(), 8, 'f',
                                                   3)
                  << t.description << Qt::endl;
    }
    if (!pty)
        tcdrain(fd);
    if (!quiet)
        out() << "sent " << unit.codeReadsSent() << " code reads" << Qt::endl;
    if (pty && !args.isSet(QStringLiteral("exit"))) {
        // Closing the master would hang the line up under the program.
        if (!quiet)
            out() << "keeping the line open; Ctrl-C ends" << Qt::endl;
        for (;;)
            pause();
    }
    ::close(fd);
    return 0;
}
