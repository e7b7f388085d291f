#include "app/JoinSubsystems.h"

#include "app/ProgramSchema.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "link/LinkState.h"
#include "reports/events/EventReports.h"

void JoinSubsystems()
{
    setMainDatabaseLayout(programSchemaSteps(), programFirstRows());
    setStartStateReset(ResetLinkAtStart);
    RegisterEventReports();
}
