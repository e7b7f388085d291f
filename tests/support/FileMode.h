#pragma once

#include <QFile>
#include <QString>
#include <sys/stat.h>

// The permission bits of a file, -1 when there is none.
inline int fileMode(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

// Makes a file of these permission bits, whatever the umask.
inline bool makeFile(const QString& path, int mode)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("old\r\n") == 5 &&
           ::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0;
}

// While it lives, the process makes its files under this umask, as a user's
// session usually does (022: readable by all).
class FixedUmask {
public:
    explicit FixedUmask(mode_t mask) : m_old(::umask(mask)) {}
    ~FixedUmask() { ::umask(m_old); }
    FixedUmask(const FixedUmask&) = delete;
    FixedUmask& operator=(const FixedUmask&) = delete;

private:
    mode_t m_old;
};
