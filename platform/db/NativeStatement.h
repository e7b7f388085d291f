#pragma once

#include <QString>
#include <memory>

class Connection;
struct sqlite3;
struct sqlite3_stmt;

// One statement prepared on the connection's own SQLite handle, below Qt's
// layer: the fills read and write hundreds of thousands of rows, and Qt's
// binding costs more per value than the database itself.
class NativeStatement {
public:
    NativeStatement(std::shared_ptr<Connection> connection, const QString& sql);
    ~NativeStatement();
    NativeStatement(const NativeStatement&) = delete;
    NativeStatement& operator=(const NativeStatement&) = delete;

    sqlite3_stmt* get() const { return m_statement; }
    // Raises the database's failure in the program's numbering.
    [[noreturn]] void fail() const;
    // Throws "object invalid" once the connection is closed.
    void check() const;

private:
    std::shared_ptr<Connection> m_connection;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
};
