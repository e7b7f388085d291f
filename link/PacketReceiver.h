#pragma once

#include <cstdint>

class CommPort;

// Takes what the port holds into the receive accumulator and unpacks the next
// good packet into CurPacket. The packet's time is the time its last byte was
// taken from the port, whenever the tick that frames it runs. Returns its
// Action, or 0 when no complete packet with a good checksum is buffered.
// Never waits for bytes still on the line. A false header (an N above 244)
// is reported as an overflow (a run of them once: link/OverflowFault.h) and
// framing goes on behind it.
uint8_t GetPacket(CommPort& port);
