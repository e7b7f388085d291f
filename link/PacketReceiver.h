#pragma once

#include <QDateTime>
#include <cstdint>

class CommPort;

// Takes what the port holds into the receive accumulator and unpacks the next
// good packet into CurPacket, received at `now` (the receive tick reads the
// clock once for all its packets). Returns its Action, or 0 when no complete
// packet with a good checksum is buffered. Never waits for bytes still on the line.
uint8_t GetPacket(CommPort& port, const QDateTime& now);
// The same, received at the PC clock's time.
uint8_t GetPacket(CommPort& port);
