#pragma once

class Database;

// While it lives, a commit on the database leaves the write-ahead log as long
// as it grew instead of folding it back into the file; afterwards the next
// commit does, as does foldLog(). A fill that rewrites a whole work table so
// leaves the copy of its pages into the file to a moment the user is not
// waiting for.
class DeferredCheckpoint {
public:
    explicit DeferredCheckpoint(Database& db);
    ~DeferredCheckpoint();
    DeferredCheckpoint(const DeferredCheckpoint&) = delete;
    DeferredCheckpoint& operator=(const DeferredCheckpoint&) = delete;

    // Copies what the log holds into the file, as far as no reader needs it.
    static void foldLog(Database& db);

private:
    Database& m_db;
};
