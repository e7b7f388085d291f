#pragma once

#include <QString>
#include <cstdint>

class CommPort;

// Takes what the port holds into the receive accumulator and unpacks the next
// good packet into CurPacket. Returns its Action, or 0 when no complete packet
// with a good checksum is buffered. Never waits for bytes still on the line.
uint8_t GetPacket(CommPort& port);

// The PC clock as a packet's receive time is shown: short date, a blank, long time.
QString GetDateTimeStr();
