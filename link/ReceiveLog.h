#pragma once

#include "core/SharedLookups.h"
#include "link/PacketRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <cstdint>
#include <deque>
#include <optional>

class AppError;
struct CodeRead;

// The rows of the reception on their way into the database: the raw row and
// the event of every code read the link takes, and the door-status rows, in
// the order their packets came, each dated with the time its packet was taken
// from the port. The receive tick adds what it framed and, at its end, stores
// what waits, never waiting for the database more than a moment: what the
// database does not take (another program holds it, the disk is full, a
// commit fails) waits here in memory, and a later tick stores it. The windows
// get each read (link/CodeReadHandOver.h) once its holder is known, whether it
// is stored yet or not, always in the order the reads came.
//
// A fault that lasts is told once, in one box; its end goes to the log.
// Beyond `limit()` waiting rows nothing more is taken in (told once too).
class ReceiveLog {
public:
    // Rows that may wait: two days of a busy door.
    static constexpr int DefaultLimit = 200000;
    // Ticks in a row that another program may keep the database locked before
    // the user is told (10 s at 200 ms); any other failure is told at once.
    static constexpr int LockedTicksBeforeTelling = 50;
    // What one tick spends on the database: how long a statement waits for a
    // file another program holds, and how long the tick goes on storing what
    // waits once it has the file.
    static constexpr int WaitMs = 20;
    static constexpr int StoreBudgetMs = 40;

    // Takes a code read (CurPacket, with its time) with its code and slot.
    // False when the log is full: the read is not taken.
    bool addRead(const PacketRecord& packet, const QString& code, uint16_t slot);
    // Takes a door status; its row is stored when the mode differs from the
    // door's newest row by then.
    void addDoorStatus(int door, uint8_t mode, const QDateTime& at);

    // Stores what waits, oldest first, in one transaction, for as long as the
    // budget allows, and hands the reads over to the windows. Waits for the
    // database only as the caller lets it (the receive tick: a moment).
    void store();
    // Stores everything that waits, waiting for the database as a window's
    // work does (before the database closes). False when something still waits.
    bool storeAll();

    int waiting() const { return static_cast<int>(m_rows.size()); }
    // The reads already handed over that wait to be stored, oldest first: a
    // window that opens meanwhile shows them too.
    QList<CodeRead> waitingReads() const;

    int limit() const { return m_limit; }
    void setLimitForTests(int rows) { m_limit = rows > 0 ? rows : DefaultLimit; }

    // Back to a program just started: nothing waits.
    void reset();

private:
    struct Row {
        bool isRead = true;
        qint64 id = 0;
        PacketRecord packet; // a read: the packet and its time; a door status: only its time
        QString code;
        uint16_t slot = 0;
        // The holder of the code, once looked up (number -1: nobody).
        std::optional<EmployeeWithCode> holder;
        bool lookedUp = false;
        bool handedOver = false;
        int door = 0;
        uint8_t mode = 0;
    };

    // Stores what waits until the budget is spent (-1: everything) and gives
    // the number of rows stored with the event row of each (0 for a door
    // status), or the failure and nothing stored.
    int storeRows(int budgetMs, QList<qint64>& eventRows, std::optional<AppError>& failure);
    void lookUp(Row& row);
    // Hands the reads over up to the first whose holder is not known yet, and
    // lets the stored rows (the first eventRows.size()) go.
    void handOver(const QList<qint64>& eventRows);
    CodeRead readOf(const Row& row, qint64 stored) const;
    void failed(const AppError& error);
    void stored(int rows);
    bool haveRoom();

    std::deque<Row> m_rows;
    // The rows in front of this one are handed over already (or door statuses).
    std::size_t m_handedOverUpTo = 0;
    qint64 m_nextId = 1;
    int m_limit = DefaultLimit;

    // The fault that holds the rows up, while there is one.
    int m_failedTicks = 0;
    bool m_failing = false;
    bool m_told = false;
    qint64 m_storedSinceFault = 0;
    // Reads not taken for want of room since the log was full.
    bool m_full = false;
    qint64 m_notTaken = 0;
};

ReceiveLog& receiveLog();
