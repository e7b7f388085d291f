#pragma once

#include <QString>
#include <cstdint>

class AppError;

// What the box of a serial port that does not open says after its own first
// line, each line after a carriage return: the device behind COM n, the
// system's reason, what to do where the user can do something (a refused
// permission needs the group dialout and a new login; another program holds
// the device), and, for a port tried again, that the program keeps trying.
// Nobody reads the standard error of a program started from a desktop. A
// failure that names no device gives no device lines.
QString PortFailureLines(int16_t number, const AppError& error, bool triedAgain);
