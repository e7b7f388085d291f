#include "core/MainDatabase.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ProgramFiles.h"
#include "core/ProgramSchema.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFolder.h"

#include <QDir>

void OpenMainDatabase()
{
    AppState& state = appState();
    guarded(2904, [] {
        AppState& s = appState();
        s.DbPath = AddBackslash(ProgramFolder::path()) + DatabaseFileName;
        s.Db = Database::open(s.DbPath, programSchema(), programFirstRows());
        s.rsEmployees = s.Db->openTable(QStringLiteral("tblEmployees"));
        Recordset doors = s.Db->openTable(QStringLiteral("DoorsNames_Tbl"));
        const FieldValue company = doors.field(QStringLiteral("CompanyName"));
        // "NULL" in capitals is how the register marks a company name never entered.
        if (!company.isNull() && company.textOrEmpty() != QLatin1String("NULL"))
            s.CompanyName = company.textOrEmpty();
        doors.close();
    });
    if (state.Db && state.Db->isOpen())
        return;
    // Every window reads or writes the database: without it there is nothing to go on with.
    ShowWarning(Translate(QStringLiteral("GT-430 cannot work without its database and ends now:")) +
                QLatin1Char('\r') + QDir::toNativeSeparators(state.DbPath));
    endProgram(ExitStatus::NoDatabase);
}

void ReopenMainDatabase()
{
    AppState& s = appState();
    s.Db = Database::open(s.DbPath, programSchema(), programFirstRows());
    s.rsEmployees = s.Db->openTable(QStringLiteral("tblEmployees"));
}

void CloseMainDatabase()
{
    AppState& s = appState();
    s.rsEmployees.close();
    if (s.Db)
        s.Db->close();
}
