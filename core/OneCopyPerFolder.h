#pragma once

// One copy of the program works on a program folder at a time: a second one
// would edit the same register and log the same door. Takes the folder for
// this copy, for as long as it runs; when another copy holds it, the user is
// told and false comes back, and nothing has been written.
bool TakeProgramFolder();

namespace ExitStatus {
inline constexpr int AlreadyRunning = 3;
}
