#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <QVariantList>

class Connection;
struct sqlite3;
struct sqlite3_stmt;

// One statement prepared on the connection's own SQLite handle, below Qt's
// layer: the one way a statement runs beside the recordsets. Database's
// execute, insert, firstRow and transactions run the ones the connection
// keeps; ForwardQuery and RepeatedStatement own one each, for reading and
// writing rows by the hundred thousand (Qt's binding costs more per value
// than the database itself).
//
// Who owns what: the connection owns the statements it keeps by their text;
// ForwardQuery and RepeatedStatement own theirs and hold the connection.
// Closing the connection finalizes every statement prepared on it, so none
// outlives it: binding or running one afterwards raises "object invalid"
// (3420), and its columns read as Null. A kept statement is reset after each
// run, so it holds no read open across a commit.
//
// What fails: SQLite's message becomes the program's number (raiseSqlError):
// "locked" (3260) once the wait for a file another connection holds has run
// out (the connection's busy handler: the usual 3 s, or a ShortWait's), a
// duplicate key 3022, a missing value 3314, no such table 3078, a mistake in
// the text (syntax, an unknown column) 3075, no database 3051, anything else
// 3000 (also values that do not match the placeholders, and more than one
// statement in a text). A statement that failed is reset and runs again.
class PreparedStatement {
public:
    PreparedStatement(Connection& connection, const QString& sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    // Starts again from the first row with `values` bound to the '?'
    // placeholders in order, converted as Qt's own driver converts them: whole
    // numbers, reals, bytes, text, and Null (also for a null text or date).
    void bind(const QVariantList& values);
    // The same by type, placeholder by placeholder (from 0). A text is not
    // copied: it must stay as it is until the statement has run.
    void bindNull(int position);
    void bindInteger(int position, qint64 value);
    void bindText(int position, const QString& text);
    void bindText(int position, QByteArrayView utf8);

    // Moves to the next row; false after the last.
    bool step();
    // Runs the statement to its end and lets go of it.
    void run();
    // Lets go of the rows read so far; the values stay bound.
    void reset();

    int columnCount() const;
    // A column of the current row: as a stored value, or quickly as a number
    // or text; the bytes are valid until the next move.
    QVariant value(int column) const;
    QVariantList row() const;
    bool isNull(int column) const;
    qint64 integer(int column) const;
    QString text(int column) const;
    QByteArrayView bytes(int column) const;

    // Of the connection's last statement that changed rows: how many it
    // changed, and the number of the last row it added.
    int changes() const;
    qint64 lastRowId() const;

    // For the connection as it closes.
    void finalize();

private:
    void check() const;
    [[noreturn]] void fail() const;
    void checkBound(int rc) const;

    Connection& m_connection;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
};
