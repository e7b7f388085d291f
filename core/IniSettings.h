#pragma once

#include <QString>
#include <functional>

// Reads row 1 of tblIni into the settings globals, resets the link state and
// loads the password file. The passwords are loaded even when the row cannot
// be read, so the program never opens without its login.
void LoadIniSettings();

// How LoadIniSettings resets the link state, handed in by the shell.
void setStartStateReset(std::function<void()> reset);

// Writes the settings globals back into row 1 of tblIni (no row is added).
void SaveIniSettings();

// The copyright line printed at the right of every page footer.
QString footerCopyright();
