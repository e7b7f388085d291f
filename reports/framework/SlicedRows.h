#pragma once

#include "platform/db/ForwardQuery.h"

#include <QString>
#include <QVariantList>
#include <optional>

class FillSteps;

// The rows of a statement over a work table in the order of the table's key,
// read a slice of the table's rows at a time, so that a fill that reads a
// large table (the working hours of years) comes to its steps between the
// slices with no statement open, however few of the rows it selects. The
// statement ends in "<key> > ? AND <key> <= ? ORDER BY <key>" (after any
// conditions of its own, joined with AND); `params` are its values before
// those two.
class SlicedRows {
public:
    SlicedRows(const QString& table, const QString& sql, const QVariantList& params, FillSteps& steps);

    // Moves to the next row; false after the last.
    bool next();
    // The current row; valid from the first next() that returned true.
    const ForwardQuery& row() const { return *m_query; }

    static constexpr qint64 Slice = 5000;

private:
    QString m_sql;
    QVariantList m_params;
    FillSteps& m_steps;
    std::optional<ForwardQuery> m_query;
    qint64 m_below = 0; // the slice's first key is above this
    qint64 m_last = 0;
};
