#pragma once

#include "platform/Prompts.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QString>
#include <cstdint>
#include <memory>

// How a password prompt was left: the box answers the prompts have always
// given, Yes for Ok and No for Exit; None until one is left.
namespace PromptResult {
inline constexpr int16_t None = 0;
inline constexpr int16_t Ok = MsgBox::Yes;
inline constexpr int16_t Cancel = MsgBox::Cancel;
inline constexpr int16_t Exit = MsgBox::No;
}

// The program-wide state of the application core: the open database, the
// settings row, the passwords, and the message and error-report globals.
struct AppState {
    // The database and the objects kept open for the run.
    QString DbPath;
    std::unique_ptr<Database> Db;
    Recordset rsEmployees;
    QString CompanyName;

    // Row 1 of tblIni.
    QString IniText0;
    QString PictureFolder;
    QString DefaultPictureFile;
    int16_t LanguageIndex = 0;
    int16_t CommPortIndex = 0;

    QString PasswordFilePath;
    QString FooterText;
    uint8_t PrintTopLines = 0;
    // The page number of the last page footer printed.
    int16_t PrintedPage = 0;
    bool CommOpened = false;

    // Plain passwords, blank-padded to eight characters.
    QString AdminPassword;
    QString GuardPassword;
    QString EngineerPassword;

    // Who logged in, and how often a password was refused.
    QString LoginPassword;      // level accepted at the start-up login (stored, padded)
    QString LaterLoginPassword; // level accepted at a later login; empty when none
    QString SessionPassword;    // level in effect for the window now open
    bool StartupDone = false;
    int16_t LoginFailures = 0;
    bool PasswordFromButtons = false;
    // How the last password prompt over the communication settings was left (PromptResult).
    int16_t DialogResult = PromptResult::None;

    // The Monday-to-Thursday schedule of the door settings row.
    QString DefaultStartTime;
    int16_t DefaultWorkHours = 0;

    // The message about to be shown, the button of the last box, the running procedure.
    QString MsgText;
    int MsgResult = 0;
    int16_t ProcId = 0;
};

AppState& appState();
// Closes what is open and returns the core's state to that of a program just
// started (the link's is its own).
void resetAppState();

// The open database; "object not set" (91) when it could not be opened. On a
// thread beside the window's, the connection that thread opened for itself
// (core/BesideTheWindow.h), and "object not set" where it opened none.
Database& Db();

// While it lives, Db() on this thread is a connection of this thread's own to
// the database file at `path`, closed when it goes.
class UseDatabaseOnThisThread {
public:
    explicit UseDatabaseOnThisThread(const QString& path);
    ~UseDatabaseOnThisThread();
    UseDatabaseOnThisThread(const UseDatabaseOnThisThread&) = delete;
    UseDatabaseOnThisThread& operator=(const UseDatabaseOnThisThread&) = delete;

private:
    std::unique_ptr<Database> m_db;
    Database* m_before;
};
