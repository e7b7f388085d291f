#pragma once

class QWidget;

// How the Administrator prompt over a window ended.
enum class AdministratorAnswer {
    Confirmed, // the Administrator's password, or Exit (the prompt ends the program itself)
    Cancelled, // Cancel: the window stays open
    Closed,    // the prompt was closed from its control box
};

// Shows the Administrator prompt centred over `owner` until the right password,
// Cancel or a close; a wrong password is counted and warned about, and every
// seventh wrong one ends the program.
AdministratorAnswer AskAdministrator(const QWidget* owner);
