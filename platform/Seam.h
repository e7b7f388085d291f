#pragma once

// A service the program reaches through one accessor: the one installed (not
// owned) by the windows at start-up or by a test, until nullptr is installed
// again; else the plain one, which needs no windows.
template <class Interface, class Plain>
class Seam {
public:
    static Interface& get()
    {
        static Plain plain;
        return s_installed ? *s_installed : plain;
    }
    static void install(Interface* replacement) { s_installed = replacement; }

private:
    static inline Interface* s_installed = nullptr;
};
