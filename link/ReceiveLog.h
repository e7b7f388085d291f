#pragma once

#include "core/SharedLookups.h"
#include "link/PacketRecord.h"
#include "link/WaitingRow.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

class AppError;
class JournalWriter;
struct CodeRead;

// The rows of the reception on their way into the database: the raw row and
// the event of every code read the link takes, and the door-status rows, in
// the order their packets came, each dated with the time its packet was taken
// from the port. The receive tick adds what it framed and, at its end, stores
// what waits, never waiting for the database more than a moment: what the
// database does not take (another program holds it, the disk is full, a
// commit fails, the program closed it for a moment) waits here in memory, and
// a later tick stores it. The windows get each read (link/CodeReadHandOver.h)
// once its holder is known, whether it is stored yet or not, always in the
// order the reads came.
//
// What waits also goes, at the end of the tick that could not store it, into
// a journal beside the database (once the program keeps one: keepJournal), so
// that it outlives the program however it ends; the next start stores it with
// its own times, exactly once: the transaction that stores rows of the journal
// also records the number of the last one (JournalMark_Tbl), and the start
// passes over what is stored already. A row stored in the tick it came never
// touches the journal. Once nothing waits, the journal is emptied.
//
// A fault that lasts is told once, in one box; its end goes to the log.
// Beyond `limit()` waiting rows nothing more is taken in (told once too).
class ReceiveLog {
public:
    ReceiveLog();
    ~ReceiveLog();
    ReceiveLog(ReceiveLog&&) noexcept;
    ReceiveLog& operator=(ReceiveLog&&) noexcept;

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
    // How long the end of the program waits for the journal to be on the disk.
    static constexpr int JournalFlushMs = 5000;

    // The journal of the database file at `databasePath`: "GT430.waiting" beside it.
    static QString journalPathOf(const QString& databasePath);

    // Takes a code read (CurPacket, with its time) with its code and slot.
    // False when the log is full: the read is not taken.
    bool addRead(const PacketRecord& packet, const QString& code, uint16_t slot);
    // Takes a door status; its row is stored when the mode differs from the
    // door's newest row by then.
    void addDoorStatus(int door, uint8_t mode, const QDateTime& at);

    // Stores what waits, oldest first, in one transaction, for as long as the
    // budget allows, and hands the reads over to the windows; what is still
    // waiting then goes into the journal. Waits for the database only as the
    // caller lets it (the receive tick: a moment). While the program has
    // closed the database for a moment (core/MainDatabase.h) it does not try.
    void store();
    // Before the database closes: stores everything that waits, waiting for
    // the database as a window's work does. What it does not take waits in
    // memory for the database to open again, or, at the end of the program
    // (`forGood`), in the journal, which is on the disk before this returns.
    // False when something still waits. The log says what became of it.
    bool storeBeforeClosing(bool forGood);

    // The start of the program, right after its database opened: what the
    // last run left in the journal of `databasePath` goes in, with its own
    // times, in one transaction, before anything else, and the log says so;
    // when the database does not take it now, it waits here (and in the
    // journal) for the ticks to store it. From now on the log keeps its
    // journal. A journal that cannot be read is set aside under another name,
    // which one box names; the start goes on.
    void keepJournal(const QString& databasePath);
    // The journal kept, empty when none is.
    QString journalPath() const;

    int waiting() const { return static_cast<int>(m_rows.size()); }
    // The reads already handed over that wait to be stored, oldest first: a
    // window that opens meanwhile shows them too.
    QList<CodeRead> waitingReads() const;

    int limit() const { return m_limit; }
    void setLimitForTests(int rows) { m_limit = rows > 0 ? rows : DefaultLimit; }

    // Back to a program just started: nothing waits, no journal is kept.
    void reset();

private:
    // Stores what waits until the budget is spent (-1: everything) and gives
    // the number of rows stored with the event row of each (0 for a door
    // status), or the failure and nothing stored.
    int storeRows(int budgetMs, QList<qint64>& eventRows, std::optional<AppError>& failure);
    void lookUp(WaitingRow& row);
    // Hands the reads over up to the first whose holder is not known yet, and
    // lets the stored rows (the first eventRows.size()) go.
    void handOver(const QList<qint64>& eventRows);
    CodeRead readOf(const WaitingRow& row, qint64 stored) const;
    void failed(const AppError& error);
    void stored(int rows);
    bool haveRoom();
    // What waits and is not in the journal yet goes there; an empty log
    // empties the journal.
    void keepDurably();
    // Stores what the journal held at the start.
    void storeWhatTheLastRunLeft(const QString& path);

    std::deque<WaitingRow> m_rows;
    // The rows in front of this one are handed over already (or door statuses).
    std::size_t m_handedOverUpTo = 0;
    // The rows in front of this one are in the journal.
    std::size_t m_journalledUpTo = 0;
    qint64 m_nextSequence = 1;
    int m_limit = DefaultLimit;

    std::unique_ptr<JournalWriter> m_journal;
    // The journal holds rows (it is emptied once nothing waits).
    bool m_journalHolds = false;

    // The fault that holds the rows up, while there is one.
    int m_failedTicks = 0;
    bool m_failing = false;
    bool m_told = false;
    qint64 m_storedSinceFault = 0;
    // Reads not taken for want of room since the log was full.
    bool m_full = false;
    qint64 m_notTaken = 0;
    // The rows said to wait in the journal at the end (-1: none said).
    int m_toldAtTheEnd = -1;
};

ReceiveLog& receiveLog();
