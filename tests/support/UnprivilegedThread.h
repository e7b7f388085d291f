#pragma once

#include <sys/syscall.h>
#include <unistd.h>

// While it lives, the calling thread runs as the user nobody when the tests
// run as root (as CI does): the kernel then refuses it what the modes of files
// and folders refuse any user, as it refuses the program's own user. Only this
// thread changes (the system call, not the C library's wrapper that changes
// every thread), and its saved user stays root, so it becomes root again at
// the end. For any other user nothing changes.
class UnprivilegedThread {
public:
    UnprivilegedThread()
    {
        if (::geteuid() == 0)
            m_changed = ::syscall(SYS_setresuid, Nobody, Nobody, 0) == 0;
    }
    ~UnprivilegedThread()
    {
        if (m_changed)
            ::syscall(SYS_setresuid, 0, 0, 0);
    }
    UnprivilegedThread(const UnprivilegedThread&) = delete;
    UnprivilegedThread& operator=(const UnprivilegedThread&) = delete;

    // False when the tests run as root and the thread could not give it up.
    bool ok() const { return m_changed || ::geteuid() != 0; }

private:
    static constexpr uid_t Nobody = 65534;
    bool m_changed = false;
};
