#pragma once

// A service the program reaches through one accessor: the real one, or a
// replacement a test installs (not owned) until it installs nullptr again.
template <class Interface, class Real>
class Seam {
public:
    static Interface& get()
    {
        static Real real;
        return s_installed ? *s_installed : real;
    }
    static void install(Interface* replacement) { s_installed = replacement; }

private:
    static inline Interface* s_installed = nullptr;
};
