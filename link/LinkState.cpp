#include "link/LinkState.h"

LinkState& linkState()
{
    static LinkState state;
    return state;
}

void SetDoorMode(uint8_t mode)
{
    linkState().DoorMode = mode;
}

void SetLastSlot(uint16_t slot)
{
    linkState().LastSlot = slot;
}

void ResetLinkAtStart()
{
    LinkState& link = linkState();
    link.RepeatGuard = 0;
    link.DoorStatusChanged = false;
    SetDoorMode(DoorModeNotKnown);
    link.CurPacket.Action = 0;
    // The receive log is left as the opening of the database made it: with
    // what the journal of the last run held, when the database did not take it.
}
