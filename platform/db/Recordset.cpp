#include "platform/db/RecordsetImpl.h"

#include "platform/AppError.h"

#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>

QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// --- Impl ---------------------------------------------------------------

void Recordset::Impl::start()
{
    live = static_cast<int>(rows.size());
    pos = 0;
}

void Recordset::Impl::check() const
{
    if (!open || !connection->isOpen())
        raiseError(Err::ObjectInvalid);
}

Recordset::Impl::Row& Recordset::Impl::current()
{
    check();
    if (pos < 0 || pos >= rows.size() || live == 0)
        raiseError(Err::NoCurrentRecord);
    Row& row = rows[pos];
    if (row.deleted)
        raiseError(Err::RecordDeleted);
    if (!row.loaded)
        load(row);
    return row;
}

void Recordset::Impl::load(Row& row)
{
    QStringList quoted;
    for (const QString& c : columns)
        quoted << quoteIdentifier(c);
    QSqlQuery q = connection->run(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                                      .arg(quoted.join(QLatin1String(", ")), quoteIdentifier(table)),
                                  {row.rowid});
    if (!q.next()) {
        // Deleted through another recordset since this one was opened.
        row.deleted = true;
        --live;
        raiseError(Err::RecordDeleted);
    }
    row.values.resize(columns.size());
    for (int i = 0; i < columns.size(); ++i)
        row.values[i] = q.value(i);
    row.loaded = true;
}

int Recordset::Impl::columnIndex(const QString& name) const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    raiseError(Err::ItemNotFound,
               standardErrorText(Err::ItemNotFound) + QStringLiteral(" (") + name + QLatin1Char(')'));
}

void Recordset::Impl::arrive()
{
    // A dynaset shows a row as it is now, with the changes made through other recordsets.
    if (updatable && pos >= 0 && pos < rows.size())
        rows[pos].loaded = false;
}

void Recordset::Impl::leaveEdit()
{
    mode = Mode::Idle;
    pending.clear();
}

void Recordset::Impl::refresh(Row& row)
{
    // As stored: column defaults and what the database made of the values.
    row.loaded = false;
    load(row);
}

void Recordset::Impl::store()
{
    QStringList names;
    QVariantList values;
    for (auto it = pending.cbegin(); it != pending.cend(); ++it) {
        names << quoteIdentifier(columns.at(it.key()));
        values << it.value();
    }
    if (mode == Mode::Adding) {
        QString sql;
        if (names.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(table));
        } else {
            QStringList marks(names.size(), QStringLiteral("?"));
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoteIdentifier(table), names.join(QLatin1String(", ")), marks.join(QLatin1String(", ")));
        }
        QSqlQuery q = connection->run(sql, values);
        Row row;
        row.rowid = q.lastInsertId().toLongLong();
        refresh(row);
        // A new row joins the end of the set; the current row stays where it was.
        const bool wasEmpty = live == 0;
        rows.push_back(row);
        ++live;
        if (wasEmpty)
            pos = rows.size() - 1;
        else if (pos >= rows.size() - 1)
            pos = rows.size(); // at EOF before: still past the last row
    } else {
        Row& row = current();
        if (!names.isEmpty()) {
            for (QString& n : names)
                n += QStringLiteral(" = ?");
            values << row.rowid;
            QSqlQuery q = connection->run(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                              .arg(quoteIdentifier(table), names.join(QLatin1String(", "))),
                                          values);
            if (q.numRowsAffected() == 0)
                raiseError(Err::RecordDeleted);
        }
        refresh(row);
    }
}

bool Recordset::Impl::findByKey(const QString& condition, const QVariantList& params)
{
    QSet<qint64> matches;
    QSqlQuery q = connection->run(
        QStringLiteral("SELECT rowid FROM %1 WHERE (%2)").arg(quoteIdentifier(table), condition), params);
    while (q.next())
        matches.insert(q.value(0).toLongLong());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!rows[i].deleted && matches.contains(rows[i].rowid)) {
            pos = i;
            arrive();
            return true;
        }
    }
    return false;
}

bool Recordset::Impl::findByValues(const QString& condition, const QVariantList& params)
{
    QStringList select;
    for (const QString& c : columns)
        select << QStringLiteral("? AS ") + quoteIdentifier(c);
    const QString sql =
        QStringLiteral("SELECT 1 FROM (SELECT %1) WHERE (%2)").arg(select.join(QLatin1String(", ")), condition);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i].deleted)
            continue;
        QVariantList bound;
        for (const QVariant& v : rows[i].values)
            bound << v;
        bound << params;
        if (connection->run(sql, bound).next()) {
            pos = i;
            return true;
        }
    }
    return false;
}

// --- Recordset ----------------------------------------------------------

Recordset::Recordset() = default;
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;
Recordset::Recordset(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

Recordset::Impl& Recordset::impl() const
{
    if (!m_impl)
        raiseError(Err::ObjectNotSet);
    m_impl->check();
    return *m_impl;
}

bool Recordset::isOpen() const
{
    return m_impl && m_impl->open && m_impl->connection->isOpen();
}

void Recordset::close()
{
    if (m_impl)
        m_impl->open = false;
}

int Recordset::recordCount() const
{
    return impl().live;
}

bool Recordset::eof() const
{
    const Impl& d = impl();
    return d.live == 0 || d.pos >= d.rows.size();
}

bool Recordset::bof() const
{
    const Impl& d = impl();
    return d.live == 0 || d.pos < 0;
}

void Recordset::moveFirst()
{
    Impl& d = impl();
    d.leaveEdit();
    if (d.live == 0)
        raiseError(Err::NoCurrentRecord);
    d.pos = 0;
    while (d.rows[d.pos].deleted)
        ++d.pos;
    d.arrive();
}

void Recordset::moveLast()
{
    Impl& d = impl();
    d.leaveEdit();
    if (d.live == 0)
        raiseError(Err::NoCurrentRecord);
    d.pos = d.rows.size() - 1;
    while (d.rows[d.pos].deleted)
        --d.pos;
    d.arrive();
}

void Recordset::moveNext()
{
    if (eof())
        raiseError(Err::NoCurrentRecord);
    Impl& d = impl();
    d.leaveEdit();
    do
        ++d.pos;
    while (d.pos < d.rows.size() && d.rows[d.pos].deleted);
    d.arrive();
}

void Recordset::movePrevious()
{
    if (bof())
        raiseError(Err::NoCurrentRecord);
    Impl& d = impl();
    d.leaveEdit();
    do
        --d.pos;
    while (d.pos >= 0 && d.rows[d.pos].deleted);
    d.arrive();
}

FieldValue Recordset::field(int position) const
{
    Impl& d = impl();
    if (position < 0 || position >= d.columns.size())
        raiseError(Err::ItemNotFound);
    if (d.mode != Impl::Mode::Idle && d.pending.contains(position))
        return FieldValue(d.pending.value(position));
    if (d.mode == Impl::Mode::Adding)
        return FieldValue();
    return FieldValue(d.current().values.at(position));
}

FieldValue Recordset::field(const QString& name) const
{
    return field(impl().columnIndex(name));
}

void Recordset::setField(int position, const QVariant& value)
{
    Impl& d = impl();
    if (position < 0 || position >= d.columns.size())
        raiseError(Err::ItemNotFound);
    if (d.mode == Impl::Mode::Idle)
        raiseError(Err::UpdateWithoutEdit);
    d.pending.insert(position, value);
}

void Recordset::setField(const QString& name, const QVariant& value)
{
    setField(impl().columnIndex(name), value);
}

void Recordset::addNew()
{
    Impl& d = impl();
    if (!d.updatable)
        raiseError(Err::ReadOnly);
    d.leaveEdit();
    d.mode = Impl::Mode::Adding;
}

void Recordset::edit()
{
    Impl& d = impl();
    if (!d.updatable)
        raiseError(Err::ReadOnly);
    d.leaveEdit();
    d.current();
    d.mode = Impl::Mode::Editing;
}

void Recordset::update()
{
    Impl& d = impl();
    if (d.mode == Impl::Mode::Idle)
        raiseError(Err::UpdateWithoutEdit);
    // A refused update keeps the edit, so the caller may correct and retry.
    d.store();
    d.leaveEdit();
}

void Recordset::cancelUpdate()
{
    Impl& d = impl();
    if (d.mode == Impl::Mode::Idle)
        raiseError(Err::UpdateWithoutEdit);
    d.leaveEdit();
}

bool Recordset::isEditing() const
{
    return impl().mode != Impl::Mode::Idle;
}

bool Recordset::findFirst(const QString& condition, const QVariantList& params)
{
    Impl& d = impl();
    d.leaveEdit();
    if (d.live == 0)
        return false;
    if (d.updatable)
        return d.findByKey(condition, params);
    return d.findByValues(condition, params);
}
