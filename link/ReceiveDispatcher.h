#pragma once

class CommPort;

// Silent ticks after which the link counts as lost (a little over 160 s at 200 ms).
inline constexpr int LinkLostTicks = 801;

// One tick of the receive timer: counts the repeat guard down, marks the door
// mode not known after a long silence (and tells the link-lost listeners),
// then dispatches what the port holds. It never shows a box itself: its error
// reports are shown once it has returned, and the ticks go on while one of
// them is up, so a box never stops the reception. The main window calls it
// from its 200 ms timer while polling is wanted.
void ReceiveTick(CommPort& port);

// Handles every packet that can be framed this tick: door status is logged,
// code reads pass the repeat guard, are decoded, logged, handed over and
// recorded by the on-line monitor when it is open. The tick's rows are
// committed together, once, at its end.
void ReceiveData(CommPort& port);
