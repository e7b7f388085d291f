#include "core/MainDatabase.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ProgramFiles.h"
#include "platform/ProgramFolder.h"

namespace {

SchemaSteps& layout()
{
    static SchemaSteps steps;
    return steps;
}

// The file is taken only once it is up to date.
std::unique_ptr<Database> openUpToDate(const QString& path)
{
    auto db = Database::open(path, {});
    upgradeSchema(*db, layout());
    return db;
}

}

void setMainDatabaseLayout(SchemaSteps steps)
{
    layout() = std::move(steps);
}

void OpenMainDatabase()
{
    guarded(2904, [] {
        AppState& s = appState();
        s.DbPath = AddBackslash(ProgramFolder::path()) + DatabaseFileName;
        s.Db = openUpToDate(s.DbPath);
        s.rsEmployees = s.Db->openTable(QStringLiteral("tblEmployees"));
        Recordset doors = s.Db->openTable(QStringLiteral("DoorsNames_Tbl"));
        const FieldValue company = doors.field(QStringLiteral("CompanyName"));
        // "NULL" in capitals is how the register marks a company name never entered.
        if (!company.isNull() && company.textOrEmpty() != QLatin1String("NULL"))
            s.CompanyName = company.textOrEmpty();
        doors.close();
    });
}

void ReopenMainDatabase()
{
    AppState& s = appState();
    s.Db = openUpToDate(s.DbPath);
    s.rsEmployees = s.Db->openTable(QStringLiteral("tblEmployees"));
}

void CloseMainDatabase()
{
    AppState& s = appState();
    s.rsEmployees.close();
    if (s.Db)
        s.Db->close();
}
