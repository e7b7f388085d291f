#pragma once

#include "platform/db/FieldValue.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

class Connection;

enum class RecordsetType {
    Dynaset,  // updatable when it is a table's
    Snapshot, // a read-only copy taken at open
};

// A set of rows with a current row, as the program's windows walk and edit
// them: move first, last, next, previous; EOF and BOF; fields by position or
// name; add new, edit, update, cancel; find the first match.
//
// A dynaset over a table holds the row keys and reads each row when it becomes
// current; any other set copies every row at open.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;

    bool isOpen() const;
    void close();

    int recordCount() const;
    bool eof() const;
    bool bof() const;
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();

    // No current record (3021), item not found (3265).
    FieldValue field(int position) const;
    FieldValue field(const QString& name) const;
    // Only between addNew() or edit() and update() (3020 otherwise).
    void setField(int position, const QVariant& value);
    void setField(const QString& name, const QVariant& value);

    void addNew();
    void edit();
    void update();
    void cancelUpdate();
    bool isEditing() const;

    // Moves to the first row that satisfies the SQL condition, whose values are
    // bound to its '?' placeholders. False, and the position unchanged, when none.
    bool findFirst(const QString& condition, const QVariantList& params = {});

    struct Impl;

private:
    friend class Database;
    explicit Recordset(std::unique_ptr<Impl> impl);
    Impl& impl() const;

    std::unique_ptr<Impl> m_impl;
};
