#pragma once

#include "link/PacketBuilder.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <cstdint>

// What the door unit simulator sends, and when: code reads at an interval,
// door status now and then, and the faults a noisy line adds. The program
// around it does the writing and the pacing.
class UnitSimulator {
public:
    enum class Fault { Split, Junk, SyncRun, BadChecksum, Overlong, Truncated };
    enum class Direction { In, Out, Alternate };

    struct Options {
        QList<quint32> cards{4660, 1000001, 77};
        QStringList pins;
        int count = 0;             // code reads in all; 0: no end
        int intervalMs = 2000;     // between code reads
        int statusEveryMs = 10000; // periodic door status; 0: only the first
        uint8_t mode = 1;          // 1 Normal, 2 Secure, 3 Bypass
        bool tamper = false;
        Direction direction = Direction::Alternate;
        int result = -1;    // Data(5) without the direction bit; -1: opened
        int slot = -1;      // -1: the code's place in the list, from 1
        int lockStrike = 0; // 1 or 2: slot bytes 255, 255 or 255, 254
        QList<Fault> faults;
        int faultEvery = 5; // every n-th code read carries the next fault
        quint32 seed = 1;
        PacketBuilder::Header header;
    };

    // One write (or a few, for a split packet) at a moment since the start.
    struct Transmission {
        qint64 atMs = 0;
        QList<QByteArray> chunks;
        QString description;
        bool codeRead = false;
        bool intact = true; // a code read the program can frame
    };

    explicit UnitSimulator(Options options);

    bool done() const;
    Transmission next();

    int codeReadsSent() const { return m_reads; }

    static bool parseFault(const QString& name, Fault& fault);
    static QString faultName(Fault fault);

private:
    Transmission codeRead();
    Transmission doorStatus();
    void applyFault(Fault fault, Transmission& t, const QByteArray& packet);

    Options m_options;
    QRandomGenerator m_random;
    int m_reads = 0;
    int m_statuses = 0;
};
