#pragma once

#include "link/OnlineEvent.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QDate>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QStringList>

// The lines of the on-line monitor's history: the events of yesterday and
// today, newest first. Loading reads only the row numbers and days of the
// events from the log's date index; a line is read from the log and built
// when the list first shows it, and a bounded number of built lines is kept.
// So a busy door's day costs a few bytes an event, not a widget row.
class OnlineHistoryModel : public QAbstractTableModel {
public:
    // The event's employee number (the line's tag).
    static constexpr int TagRole = Qt::UserRole;
    static constexpr int Columns = 5;

    explicit OnlineHistoryModel(QObject* parent = nullptr);

    // The events dated `today` and the day before, newest first. Fails as the
    // database does.
    void load(const QDate& today);
    // A new event stands first. One that waits to be stored (row 0) keeps its
    // line, as there is nothing to read it back from.
    void addRecorded(const RecordedEvent& event);
    // The day the list holds with the one before: when it changes, the lines
    // older than the day before leave.
    QDate today() const { return m_today; }
    void setToday(const QDate& today);

    // The line at a row, read from the log when it is not kept; an event that
    // cannot be read gives an empty line.
    EventLine lineAt(int row) const;
    // Lines read from the log so far (not those of new events).
    qint64 linesRead() const { return m_linesRead; }

    // The lines the list holds now, in its order, to be read elsewhere: by a
    // printout composed beside the window, through that thread's connection.
    class Snapshot {
    public:
        int size() const { return static_cast<int>(m_rows.size()); }
        // As the list's lineAt(), read through Db() of the calling thread.
        EventLine lineAt(int row) const;

    private:
        friend class OnlineHistoryModel;
        QList<qint64> m_rows;
        QHash<qint64, EventLine> m_unstored;
    };
    Snapshot snapshot() const;

    void setHeaders(const QStringList& headers);
    // The small icons of an opened and of a refused event.
    void setIcons(const QIcon& opened, const QIcon& notOpened);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Entry {
        qint64 row = 0; // below 0: the key of a line kept in m_unstored
        int day = 0;    // YYYYMMDD
    };

    void removeOlderThan(int day);

    QList<Entry> m_entries;
    QDate m_today;
    QStringList m_headers;
    QIcon m_icons[2];
    mutable QCache<qint64, EventLine> m_lines;
    QHash<qint64, EventLine> m_unstored;
    qint64 m_unstoredKeys = 0;
    mutable qint64 m_linesRead = 0;
};
