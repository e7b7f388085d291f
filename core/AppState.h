#pragma once

#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QString>
#include <cstdint>
#include <memory>

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

    // The message about to be shown, the button of the last box, the running procedure.
    QString MsgText;
    int MsgResult = 0;
    int16_t ProcId = 0;
};

AppState& appState();
// Closes what is open and returns the state to that of a program just started.
void resetAppState();

// The open database; "object not set" (91) when it could not be opened.
Database& Db();
