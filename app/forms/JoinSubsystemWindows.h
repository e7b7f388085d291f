#pragma once

// Hands the report filter window the report windows of the subsystems built
// on the report framework. The program and the window tests call it once the
// windows are there to be made.
void JoinSubsystemWindows();
