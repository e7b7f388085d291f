#include "core/MainDatabase.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ProgramFiles.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFolder.h"

#include <QDir>

namespace {

struct Layout {
    SchemaSteps steps;
    Schema firstRows;
};

Layout& layout()
{
    static Layout l;
    return l;
}

std::function<void(bool)>& beforeClose()
{
    static std::function<void(bool)> work;
    return work;
}

std::function<void()>& whenOpens()
{
    static std::function<void()> work;
    return work;
}

bool away = false;

// The file is taken only once it is up to date.
std::unique_ptr<Database> openUpToDate(const QString& path)
{
    auto db = Database::open(path, {});
    upgradeSchema(*db, layout().steps, layout().firstRows);
    return db;
}

}

void setMainDatabaseLayout(SchemaSteps steps, Schema firstRows)
{
    layout() = {std::move(steps), std::move(firstRows)};
}

void OpenMainDatabase()
{
    AppState& state = appState();
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
    if (state.Db && state.Db->isOpen()) {
        away = false;
        if (whenOpens())
            whenOpens()();
        return;
    }
    // Every window reads or writes the database: without it there is nothing to go on with.
    ShowWarning(Translate(QStringLiteral("GT-430 cannot work without its database and ends now:")) + QLatin1Char('\r') +
                QDir::toNativeSeparators(state.DbPath));
    endProgram(ExitStatus::NoDatabase);
}

void ReopenMainDatabase()
{
    AppState& s = appState();
    // Closed for good or open again: no longer away for a moment.
    away = false;
    s.Db = openUpToDate(s.DbPath);
    s.rsEmployees = s.Db->openTable(QStringLiteral("tblEmployees"));
}

bool MainDatabaseAway()
{
    return away;
}

void setBeforeMainDatabaseCloses(std::function<void(bool)> work)
{
    beforeClose() = std::move(work);
}

void setWhenMainDatabaseOpens(std::function<void()> work)
{
    whenOpens() = std::move(work);
}

namespace {

void closeMainDatabase(bool forGood)
{
    AppState& s = appState();
    // At the end it runs whatever state the database is in: what waits is kept somewhere.
    if (beforeClose() && (forGood || (s.Db && s.Db->isOpen())))
        beforeClose()(forGood);
    s.rsEmployees.close();
    if (s.Db)
        s.Db->close();
}

}

void CloseMainDatabase()
{
    away = false;
    closeMainDatabase(true);
}

void CloseMainDatabaseForAMoment()
{
    closeMainDatabase(false);
    away = true;
}
