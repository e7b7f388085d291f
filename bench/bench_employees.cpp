// The register at its full size, 500 employees: loading the editor's work
// copy, Save All, and reading the rows of the employee list. Each must stay well
// under 0.2 s, so that opening and closing the editor never feels slow.

#include "app/JoinSubsystems.h"
#include "app/ProgramSchema.h"
#include "bench/QuietPrompts.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "employees/EmployeeEditSession.h"
#include "employees/EmployeeFields.h"
#include "employees/EmployeeRegister.h"
#include "platform/ProgramFolder.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A program folder with a database holding the whole register.
class FullRegister {
public:
    FullRegister()
    {
        ProgramFolder::setPathForTests(m_dir.path());
        JoinSubsystems();
        resetAppState();
        CreateProgramDatabase(m_dir.filePath(QStringLiteral("GT430.mdb")));
        OpenMainDatabase();
        Transaction t(Db());
        for (int n = 1; n <= MaxEmployeeNumber; ++n)
            Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name, Id_Number, "
                                        "Gender, Status, Birth_Date, Address, Phone_Number, EmailAddr, Position, "
                                        "PictureFile, SlotNumber, StartTime, WorkingHours, Employee_Code, PinProx) "
                                        "VALUES (?, 'First', ?, 'ID', 1, 2, '1980-01-01', 'Main Street 1', '555', "
                                        "'a@b', 'Clerk', '', ?, '08:00', 8, ?, 2)"),
                         {n, QStringLiteral("Last%1").arg(n), n % 7 == 0 ? 0 : n,
                          QStringLiteral("%1").arg(4000 + n, 10, 10, QLatin1Char('0'))});
        t.commit();
    }

    ~FullRegister()
    {
        resetAppState();
        ProgramFolder::setPathForTests({});
    }

    QuietPrompts quiet;

private:
    QTemporaryDir m_dir;
};

void LoadEditorWorkCopy(benchmark::State& state)
{
    FullRegister world;
    EmployeeEditSession session(Db());
    for (auto _ : state)
        session.open();
    if (session.count() != MaxEmployeeNumber || world.quiet.shown > 0)
        state.SkipWithError("the work copy is not the register");
    session.close();
}
BENCHMARK(LoadEditorWorkCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

void SaveAllEmployees(benchmark::State& state)
{
    FullRegister world;
    EmployeeEditSession session(Db());
    session.open();
    session.show(250);
    int i = 0;
    for (auto _ : state) {
        session.write(EmpField::First_Name, QStringLiteral("Changed%1").arg(++i));
        session.storeAll();
    }
    if (world.quiet.shown > 0)
        state.SkipWithError(qPrintable(world.quiet.last));
    session.close();
}
BENCHMARK(SaveAllEmployees)->Unit(benchmark::kMillisecond)->UseRealTime();

void RefillEmployeeList(benchmark::State& state)
{
    FullRegister world;
    qsizetype rows = 0;
    for (auto _ : state)
        rows = EmployeeRegister::readList(Db()).size();
    if (rows != MaxEmployeeNumber || world.quiet.shown > 0)
        state.SkipWithError("the list is not the register");
}
BENCHMARK(RefillEmployeeList)->Unit(benchmark::kMillisecond)->UseRealTime();

}
