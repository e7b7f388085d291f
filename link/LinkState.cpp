#include "link/LinkState.h"

LinkState& linkState()
{
    static LinkState state;
    return state;
}
