#pragma once

#include <functional>

class Form;
class WindowTestEnvironment;
class frmMain;

// Walks through windows the way a user opens them, one from the other, and
// closes them again; `look` sees each window while it is up.
namespace WindowWalks {

// From the employee list: the editor, its Read Card prompt and picture
// chooser; from the door settings: the holiday dialog.
void registersWindows(WindowTestEnvironment& env, frmMain& main, const std::function<void(Form&)>& look);

// From Tools > Options: the passwords with a password's prompt, the
// database's window, and the communication settings behind the Engineer's
// login (the password "e") with the prompt that leaving them asks.
void optionsWindows(WindowTestEnvironment& env, frmMain& main, const std::function<void(Form&)>& look);

}
