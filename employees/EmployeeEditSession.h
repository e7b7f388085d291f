#pragma once

#include "platform/db/Recordset.h"

#include <QSet>
#include <QVariant>
#include <cstdint>

class Database;

// The employee editor's data: a work copy of the register in tblTempEmp, one
// record of it open for editing, and the stores back into tblEmployees.
//
// Field writes stay pending in the open record until it is committed to the
// work table (a move, a store); Undo drops them. A store copies the open
// record into the register; Save All copies every work record onto the
// register row of the same Employee_Number, in one transaction.
class EmployeeEditSession {
public:
    explicit EmployeeEditSession(Database& db);

    // Empties the work table and copies the register into it in the order of
    // the employee numbers, then opens the work copy. Nothing is open for editing.
    void open();
    // Empties the work table and closes the work copy.
    void close();
    bool isOpen() const { return m_work.isOpen(); }

    int count() const;
    // The record is open for editing (an employee shown, or a pending new one).
    bool isEditing() const;

    // Finds the employee in the work copy and opens its record for editing;
    // false, with nothing open, when the work copy does not hold it.
    bool show(int16_t number);
    // Starts a pending new record, with the work table's defaults; it is the
    // new employee until a store as new succeeds.
    void beginNew();

    FieldValue value(int position) const;
    // Into the open record; marks that employee changed.
    void write(int position, const QVariant& value);

    // Which end of the work copy a move reached.
    enum class Move { First, Previous, Next, Last };
    enum class End { None, Start, Finish };
    struct MoveResult {
        int16_t number = 0;
        End end = End::None;
    };
    // Commits the open record and moves; a step past either end stays on the
    // end record. Nothing is open for editing afterwards: show() the number.
    MoveResult move(Move step);

    // Commits the open record and stores it in the register: as a new row for
    // a new employee (a number already there fails with DuplicateKey and
    // changes nothing), else over the row of its number. The record stays open.
    // Only that employee counts as unchanged afterwards.
    void store(bool asNew);
    // Commits the open record and copies every work record onto the register
    // row of its number, all or nothing. Then shows the employee again.
    void storeAll();
    // Drops what is pending in the open record and opens it afresh. What was
    // written into the employee before still counts as a change.
    void undo();

    // Some employee of the work copy was changed and not stored since.
    bool dirty() const { return m_newChanged || !m_changed.isEmpty(); }
    bool changed(int16_t number) const { return m_changed.contains(number); }
    void forgetChanges();

private:
    void commit();
    void reopen();
    int16_t shownNumber() const;

    Database& m_db;
    Recordset m_work;
    // The employees written into since their last store, by number (a stored
    // employee's number no longer changes), and the new one, which has none yet.
    QSet<int16_t> m_changed;
    bool m_newPending = false;
    bool m_newChanged = false;
};
