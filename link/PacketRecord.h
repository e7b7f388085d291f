#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// One unpacked packet from the door unit.
struct PacketRecord {
    QString DateTime;
    uint8_t Dest_System = 0;
    uint8_t Dest_Address = 0;
    uint8_t Src_System = 0;
    uint8_t Src_Address = 0;
    uint8_t Version = 0;
    uint8_t Number_Bytes = 0;
    uint8_t Action = 0;
    QByteArray Data; // Data[0] is always 0; Data[1..N-1] the data bytes, Data[N] the checksum
    uint8_t CheckSum = 0;
};
