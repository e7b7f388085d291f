#include "link/ReceiveLog.h"

#include "core/AppState.h"
#include "core/HeldReports.h"
#include "core/Messages.h"
#include "link/CodeReadHandOver.h"
#include "link/EventRecorder.h"
#include "link/RawLog.h"
#include "platform/AppError.h"
#include "platform/Log.h"

#include <QElapsedTimer>

ReceiveLog& receiveLog()
{
    static ReceiveLog log;
    return log;
}

void ReceiveLog::reset()
{
    *this = ReceiveLog{};
}

bool ReceiveLog::haveRoom()
{
    if (waiting() < m_limit)
        return true;
    ++m_notTaken;
    if (!m_full) {
        m_full = true;
        qCWarning(lcGt430).noquote()
            << QStringLiteral("%1 rows of the door wait for the database: nothing more is taken in").arg(waiting());
        DeliverReport(Translate(QStringLiteral("The database has not taken what the door sends for a long time; no "
                                               "more can wait for it.")) +
                      QLatin1Char('\r') +
                      Translate(QStringLiteral("What the door sends from now on is lost until the database takes what "
                                               "waits.")));
    }
    return false;
}

void ReceiveLog::lookUp(Row& row)
{
    row.holder = LookUpEmployeeByCode(row.code);
    row.lookedUp = true;
}

bool ReceiveLog::addRead(const PacketRecord& packet, const QString& code, uint16_t slot)
{
    if (!haveRoom())
        return false;
    Row row;
    row.id = m_nextId++;
    row.packet = packet;
    row.code = code;
    row.slot = slot;
    try {
        lookUp(row);
    } catch (const AppError&) {
        // A database that cannot be read now gives the holder when the row is stored.
    }
    m_rows.push_back(std::move(row));
    return true;
}

void ReceiveLog::addDoorStatus(int door, uint8_t mode, const QDateTime& at)
{
    // A mode the door's last waiting row holds already would give no row.
    for (auto it = m_rows.crbegin(); it != m_rows.crend(); ++it) {
        if (it->isRead || it->door != door)
            continue;
        if (it->mode == mode)
            return;
        break;
    }
    if (!haveRoom())
        return;
    Row row;
    row.isRead = false;
    row.id = m_nextId++;
    row.packet.Received = at;
    row.door = door;
    row.mode = mode;
    m_rows.push_back(std::move(row));
}

int ReceiveLog::storeRows(int budgetMs, QList<qint64>& eventRows, std::optional<AppError>& failure)
{
    std::size_t count = 0;
    try {
        Database& db = Db();
        // A transaction a window has left open (under a box of its own) would
        // take the rows with it, and lose them if it rolled back.
        if (db.inTransaction())
            raiseError(Err::Locked, QStringLiteral("A window of the program has a change of the database still open"));
        db.executePrepared(QStringLiteral("BEGIN IMMEDIATE"));
        QElapsedTimer spent;
        spent.start();
        try {
            while (count < m_rows.size() && (budgetMs < 0 || count == 0 || spent.elapsed() < budgetMs)) {
                Row& row = m_rows[count];
                if (row.isRead) {
                    if (!row.lookedUp)
                        lookUp(row);
                    StoreReadCardRow(row.packet, row.slot);
                    eventRows << SaveOnlineEvent(OnlineEventOf(row.packet, row.slot, row.holder));
                } else {
                    AddDoorStatusRecord(row.door, row.mode, row.packet.Received);
                    eventRows << 0;
                }
                ++count;
            }
            db.executePrepared(QStringLiteral("COMMIT"));
        } catch (const AppError&) {
            // Leaves no transaction standing for the next tick to write into.
            db.rollback();
            throw;
        }
    } catch (const AppError& error) {
        eventRows.clear();
        failure = error;
        return 0;
    }
    return static_cast<int>(count);
}

CodeRead ReceiveLog::readOf(const Row& row, qint64 stored) const
{
    CodeRead read;
    read.Id = row.id;
    read.Packet = row.packet;
    read.Code = row.code;
    read.Slot = row.slot;
    const OnlineEvent event = OnlineEventOf(row.packet, row.slot, row.holder);
    const std::optional<QString> name = row.holder ? std::optional<QString>(row.holder->name) : std::nullopt;
    read.Event = RecordedEvent{stored, BuildEventLine(event, name)};
    return read;
}

void ReceiveLog::handOver(const QList<qint64>& eventRows)
{
    const auto stored = static_cast<std::size_t>(eventRows.size());
    std::size_t i = m_handedOverUpTo;
    for (; i < m_rows.size(); ++i) {
        Row& row = m_rows[i];
        if (!row.isRead || row.handedOver)
            continue;
        // Reads go to the windows in the order they came.
        if (i >= stored && !row.lookedUp)
            break;
        handOverCodeRead(readOf(row, i < stored ? eventRows.at(static_cast<qsizetype>(i)) : 0));
        row.handedOver = true;
    }
    m_handedOverUpTo = i > stored ? i - stored : 0;
    m_rows.erase(m_rows.begin(), m_rows.begin() + static_cast<std::ptrdiff_t>(stored));
}

void ReceiveLog::failed(const AppError& error)
{
    ++m_failedTicks;
    if (!m_failing) {
        m_failing = true;
        m_storedSinceFault = 0;
        qCWarning(lcGt430).noquote() << QStringLiteral("The door's rows cannot be stored now (%1); they wait in memory")
                                            .arg(error.description());
    }
    // Another program may hold the database for a moment (a report of its own):
    // only a lock that lasts is worth a box.
    const bool lasting = error.number() != Err::Locked || m_failedTicks >= LockedTicksBeforeTelling;
    if (!lasting || m_told)
        return;
    m_told = true;
    DeliverReport(Translate(QStringLiteral("What the door sends cannot be stored in the database now:")) +
                  QLatin1Char('\r') + error.description() + QLatin1Char('\r') +
                  Translate(QStringLiteral("It is kept and will be stored as soon as the database takes it again.")));
}

void ReceiveLog::stored(int rows)
{
    m_failedTicks = 0;
    if (!m_failing)
        return;
    m_storedSinceFault += rows;
    if (!m_rows.empty())
        return;
    QString text = QStringLiteral("The database takes the door's rows again: the %1 that waited are stored")
                       .arg(m_storedSinceFault);
    if (m_notTaken > 0)
        text += QStringLiteral("; %1 reads were not taken in meanwhile").arg(m_notTaken);
    qCInfo(lcGt430).noquote() << text;
    m_failing = false;
    m_told = false;
    m_full = false;
    m_notTaken = 0;
}

void ReceiveLog::store()
{
    QList<qint64> eventRows;
    std::optional<AppError> failure;
    const int count = m_rows.empty() ? 0 : storeRows(StoreBudgetMs, eventRows, failure);
    handOver(eventRows);
    if (failure)
        failed(*failure);
    else if (count > 0)
        stored(count);
}

bool ReceiveLog::storeAll()
{
    while (!m_rows.empty()) {
        QList<qint64> eventRows;
        std::optional<AppError> failure;
        const int count = storeRows(-1, eventRows, failure);
        handOver(eventRows);
        if (failure) {
            qCWarning(lcGt430).noquote()
                << QStringLiteral("%1 rows of the door could not be stored before the database closed: %2")
                       .arg(waiting())
                       .arg(failure->description());
            return false;
        }
        stored(count);
    }
    return true;
}

QList<CodeRead> ReceiveLog::waitingReads() const
{
    QList<CodeRead> reads;
    for (const Row& row : m_rows) {
        if (row.isRead && row.handedOver)
            reads << readOf(row, 0);
    }
    return reads;
}
