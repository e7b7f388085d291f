#pragma once

#include <QByteArray>
#include <QDateTime>
#include <cstdint>

// One unpacked packet from the door unit.
struct PacketRecord {
    uint8_t Dest_System = 0;
    uint8_t Dest_Address = 0;
    uint8_t Src_System = 0;
    uint8_t Src_Address = 0;
    uint8_t Version = 0;
    uint8_t Number_Bytes = 0;
    uint8_t Action = 0;
    QByteArray Data; // Data[0] is always 0; Data[1..N-1] the data bytes, Data[N] the checksum
    uint8_t CheckSum = 0;
    // When the packet was unpacked (the PC clock of its receive tick).
    QDateTime Received;

    // Unpacks a framed packet (sync bytes to checksum) whose length matches its N.
    static PacketRecord fromFrame(const char* frame, qsizetype length, const QDateTime& received);
    static PacketRecord fromFrame(const QByteArray& frame, const QDateTime& received = {});

    // Nothing unpacked yet (or an empty copy).
    bool hasData() const { return !Data.isEmpty(); }
    // Whether Data(i) exists.
    bool hasByte(int i) const { return i >= 0 && i < Data.size(); }
    // Data(i); "subscript out of range" (9) past the end.
    uint8_t byte(int i) const;
};

// The same packet: the header bytes, the data and the checksum; the receive
// time is not compared. False while `a` holds nothing.
bool ComparePacket(const PacketRecord& a, const PacketRecord& b);

// Copies the header bytes, the data and the checksum; the receive time stays.
void CopyPacket(PacketRecord& target, const PacketRecord& source);
