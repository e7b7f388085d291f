#pragma once

// Fills the report filter window's launch table with the window of every
// report kind, the framework's and those of the subsystems built on it. The
// program and the window tests call it once the windows are there to be made.
void JoinSubsystemWindows();
