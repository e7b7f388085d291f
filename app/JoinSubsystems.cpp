#include "app/JoinSubsystems.h"

#include "app/ProgramSchema.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "link/LinkState.h"

void JoinSubsystems()
{
    setMainDatabaseLayout(programSchemaSteps(), programFirstRows());
    setStartStateReset(ResetLinkAtStart);
}
