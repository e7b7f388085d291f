#pragma once

class CommPort;

// Silent ticks after which the link counts as lost (a little over 160 s at 200 ms).
inline constexpr int LinkLostTicks = 801;

// One tick of the receive timer: counts the repeat guard down, marks the door
// mode not known after a long silence, dispatches what the port holds, then stores what the log holds
// (link/ReceiveLog.h), waiting for the database no more than a moment. It
// never shows a box itself: its error reports are shown once it has
// returned, and the ticks go on while one of them is up, so a box never stops
// the reception. The main window calls it from its 200 ms timer for as long
// as the port is open, whatever window is open.
void ReceiveTick(CommPort& port);

// Handles every packet that can be framed this tick: door status is logged,
// code reads pass the repeat guard, are decoded and taken into the log with
// the time each came. A port that closes under it (its device gone) is left
// to the link's owner (link/SerialLink.h).
void ReceiveData(CommPort& port);
