#include "app/JoinSubsystems.h"

#include "app/ProgramSchema.h"
#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "link/LinkState.h"
#include "link/ReceiveLog.h"
#include "reports/events/EventReports.h"

void JoinSubsystems()
{
    setMainDatabaseLayout(programSchemaSteps(), programFirstRows());
    setStartStateReset(ResetLinkAtStart);
    // The door's rows that wait for the database go in before it closes, if it takes them.
    setBeforeMainDatabaseCloses([](bool forGood) { receiveLog().storeBeforeClosing(forGood); });
    setWhenMainDatabaseOpens(nullptr);
    RegisterEventReports();
}

void KeepWhatWaitsInAJournal()
{
    setWhenMainDatabaseOpens([] { receiveLog().keepJournal(appState().DbPath); });
}
