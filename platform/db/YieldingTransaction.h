#pragma once

class Database;

// A long write (a report's fill, on a thread beside the window's) done as one
// transaction unless another writer of this process (the receive tick, a
// window storing a change) waits for the file meanwhile. giveWay(), called
// between two steps of the write with none of its statements open, then
// commits what was written so far, lets that writer have the file (waiting at
// most MostGivenMs), and begins again: a writer waits one step at most, never
// the whole write. What was written since the last part is rolled back unless
// committed.
class YieldingTransaction {
public:
    explicit YieldingTransaction(Database& db);
    ~YieldingTransaction();
    YieldingTransaction(const YieldingTransaction&) = delete;
    YieldingTransaction& operator=(const YieldingTransaction&) = delete;

    // True when a part was committed here.
    bool giveWay();
    void commit();
    // Whether parts of the write are in the file already, whatever becomes of the rest.
    bool partsCommitted() const { return m_parts > 0; }

    static constexpr int MostGivenMs = 100;

private:
    void begin();

    Database& m_db;
    bool m_open = false;
    int m_parts = 0;
};
