#pragma once

#include "platform/db/Database.h"
#include "tests/support/FileSizeLimit.h"

#include <QString>
#include <memory>

// Another program on the database file (the sqlite3 tool, a database
// browser): a connection of its own that holds the write lock with
// BEGIN IMMEDIATE until it lets go.
class OtherProgramHoldsTheDatabase {
public:
    explicit OtherProgramHoldsTheDatabase(const QString& path);
    ~OtherProgramHoldsTheDatabase();
    void letGo();

private:
    std::unique_ptr<Database> m_db;
};

// While it lives, every COMMIT on the database fails and rolls back, as a
// commit does that the disk refuses.
class RefusedCommits {
public:
    explicit RefusedCommits(Database& db);
    ~RefusedCommits();
    RefusedCommits(const RefusedCommits&) = delete;
    RefusedCommits& operator=(const RefusedCommits&) = delete;
    int refused() const { return m_refused; }

private:
    static int refuse(void* self);
    std::shared_ptr<class Connection> m_connection;
    int m_refused = 0;
};

// A file system of its own, small (a tmpfs mounted at a temporary folder),
// that fill() fills up and makeRoom() empties again. Where the tests may not
// mount (they do not run as root), writing is limited instead: no file may
// grow, as on a full disk.
class SmallFileSystem {
public:
    SmallFileSystem();
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    QString path() const { return m_path; }
    bool mounted() const { return m_mounted; }
    void fill();
    void makeRoom();

private:
    QString m_path;
    bool m_mounted = false;
    std::unique_ptr<FileSizeLimit> m_limit;
};
