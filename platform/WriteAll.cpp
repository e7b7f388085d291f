#include "platform/WriteAll.h"

#include <cerrno>
#include <unistd.h>

int writeAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        data += n;
        size -= n;
    }
    return 0;
}
