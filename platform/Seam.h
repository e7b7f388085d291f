#pragma once

#include <atomic>

// A service the program reaches through one accessor: the one installed (not
// owned) by the windows at start-up or by a test, until nullptr is installed
// again; else the plain one, which needs no windows. The clock is read by the
// serial port's reader thread as well.
template <class Interface, class Plain>
class Seam {
public:
    static Interface& get()
    {
        static Plain plain;
        Interface* installed = s_installed.load(std::memory_order_acquire);
        return installed ? *installed : plain;
    }
    static void install(Interface* replacement) { s_installed.store(replacement, std::memory_order_release); }

private:
    static inline std::atomic<Interface*> s_installed{nullptr};
};
