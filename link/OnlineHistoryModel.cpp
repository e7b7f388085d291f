#include "link/OnlineHistoryModel.h"

#include "core/AppState.h"
#include "platform/AppError.h"
#include "platform/Log.h"
#include "platform/db/ForwardQuery.h"
#include "platform/text/DateTimeText.h"

namespace {

// Lines kept built: many screens full.
constexpr int KeptLines = 2000;

// YYYYMMDD of an ISO date at the start of a text; 0 when it holds none.
int dayOf(QByteArrayView iso)
{
    if (iso.size() < 10 || iso[4] != '-' || iso[7] != '-')
        return 0;
    int day = 0;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        const char c = iso[i];
        if (c < '0' || c > '9')
            return 0;
        day = day * 10 + (c - '0');
    }
    return day;
}

int dayOf(const QDate& date)
{
    return date.year() * 10000 + date.month() * 100 + date.day();
}

// The line of a stored event, read from the log; nothing when it is gone, or
// when it cannot be read (which the log is told, as no box is shown for it).
std::optional<EventLine> readStoredLine(qint64 id)
{
    try {
        const std::optional<QVariantList> values =
            Db().firstRow(QStringLiteral("SELECT * FROM tblOnline WHERE rowid = ?"), {id});
        if (!values)
            return std::nullopt;
        return BuildEventLine(OnlineEventFromValues(*values));
    } catch (const AppError& error) {
        qCWarning(lcGt430).noquote() << QStringLiteral("An event of the on-line history cannot be read:")
                                     << error.description();
        return std::nullopt;
    }
}

}

OnlineHistoryModel::OnlineHistoryModel(QObject* parent) : QAbstractTableModel(parent), m_lines(KeptLines) {}

void OnlineHistoryModel::load(const QDate& today)
{
    beginResetModel();
    m_entries.clear();
    m_lines.clear();
    m_unstored.clear();
    m_today = today;
    try {
        // Read backwards along the date index, which holds every column asked for.
        ForwardQuery events(Db(),
                            QStringLiteral("SELECT rowid, Date_CR FROM tblOnline WHERE Date_CR BETWEEN ? AND ? "
                                           "ORDER BY Date_CR DESC, Time_CR DESC, rowid DESC"),
                            {DateTimeText::isoDate(today.addDays(-1)), DateTimeText::isoDate(today)});
        while (events.next())
            m_entries.append(Entry{events.integer(0), dayOf(events.bytes(1))});
    } catch (const AppError&) {
        endResetModel();
        throw;
    }
    m_entries.squeeze();
    endResetModel();
}

void OnlineHistoryModel::addRecorded(const RecordedEvent& event)
{
    const int day = dayOf(QByteArrayView(event.line.sortKey.toLatin1()));
    beginInsertRows({}, 0, 0);
    if (event.row > 0) {
        m_entries.prepend(Entry{event.row, day});
        m_lines.insert(event.row, new EventLine(event.line));
    } else {
        const qint64 key = -(++m_unstoredKeys);
        m_unstored.insert(key, event.line);
        m_entries.prepend(Entry{key, day});
    }
    endInsertRows();
}

void OnlineHistoryModel::setToday(const QDate& today)
{
    if (today == m_today)
        return;
    m_today = today;
    removeOlderThan(dayOf(today.addDays(-1)));
}

void OnlineHistoryModel::removeOlderThan(int day)
{
    // Newest first: the old lines stand at the end, unless the clock was set back meanwhile.
    qsizetype i = m_entries.size() - 1;
    while (i >= 0) {
        if (m_entries.at(i).day >= day) {
            --i;
            continue;
        }
        const qsizetype last = i;
        while (i >= 0 && m_entries.at(i).day < day) {
            const qint64 row = m_entries.at(i--).row;
            m_lines.remove(row);
            m_unstored.remove(row);
        }
        const qsizetype first = i + 1;
        beginRemoveRows({}, static_cast<int>(first), static_cast<int>(last));
        m_entries.remove(first, last - first + 1);
        endRemoveRows();
    }
}

EventLine OnlineHistoryModel::lineAt(int row) const
{
    if (row < 0 || row >= m_entries.size())
        return {};
    const qint64 id = m_entries.at(row).row;
    if (id < 0)
        return m_unstored.value(id);
    if (const EventLine* kept = m_lines.object(id))
        return *kept;
    // Painting the list shows no box; a line that cannot be read stays empty and is read again next time.
    const std::optional<EventLine> line = readStoredLine(id);
    if (!line)
        return {};
    ++m_linesRead;
    m_lines.insert(id, new EventLine(*line));
    return *line;
}

OnlineHistoryModel::Snapshot OnlineHistoryModel::snapshot() const
{
    Snapshot taken;
    taken.m_rows.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        taken.m_rows.append(entry.row);
    taken.m_unstored = m_unstored;
    return taken;
}

EventLine OnlineHistoryModel::Snapshot::lineAt(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    const qint64 id = m_rows.at(row);
    if (id < 0)
        return m_unstored.value(id);
    return readStoredLine(id).value_or(EventLine{});
}

void OnlineHistoryModel::setHeaders(const QStringList& headers)
{
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, Columns - 1);
}

void OnlineHistoryModel::setIcons(const QIcon& opened, const QIcon& notOpened)
{
    m_icons[0] = opened;
    m_icons[1] = notOpened;
}

int OnlineHistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int OnlineHistoryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant OnlineHistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::DecorationRole && role != TagRole)
        return {};
    const EventLine line = lineAt(index.row());
    if (role == TagRole)
        return int(line.employeeNumber);
    if (role == Qt::DecorationRole)
        return index.column() == 0 && !line.doorAction.isEmpty() ? QVariant(m_icons[line.icon == 1 ? 0 : 1])
                                                                 : QVariant();
    switch (index.column()) {
    case 0: return line.doorAction;
    case 1: return line.dateTime;
    case 2: return line.name;
    case 3: return line.inOut;
    case 4: return line.remark;
    default: return {};
    }
}

QVariant OnlineHistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_headers.size())
        return {};
    return m_headers.at(section);
}
