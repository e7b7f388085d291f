#include "link/LinkState.h"

#include "link/ReceiveLog.h"

LinkState& linkState()
{
    static LinkState state;
    return state;
}

void ResetLinkAtStart()
{
    LinkState& link = linkState();
    link.RepeatGuard = 0;
    link.DoorStatusChanged = false;
    link.DoorMode = DoorModeNotKnown;
    link.CurPacket.Action = 0;
    receiveLog().reset();
}
