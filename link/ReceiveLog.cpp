#include "link/ReceiveLog.h"

#include "core/AppState.h"
#include "core/HeldReports.h"
#include "core/MainDatabase.h"
#include "core/Messages.h"
#include "link/CodeReadHandOver.h"
#include "link/EventRecorder.h"
#include "link/RawLog.h"
#include "platform/AppError.h"
#include "platform/JournalFile.h"
#include "platform/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <utility>

namespace {

const QString markStatement = QStringLiteral("INSERT INTO JournalMark_Tbl (Id, StoredUpTo) VALUES (1, ?) "
                                             "ON CONFLICT (Id) DO UPDATE SET StoredUpTo = excluded.StoredUpTo");

// The number of the last row of a journal the database has stored.
qint64 storedUpTo()
{
    const auto row = Db().firstRow(QStringLiteral("SELECT StoredUpTo FROM JournalMark_Tbl WHERE Id = 1"));
    return row ? row->value(0).toLongLong() : 0;
}

// A free name beside the journal for a journal that cannot be read.
QString asideName(const QString& path)
{
    QString name = path + QStringLiteral(".unreadable");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = path + QStringLiteral(".unreadable-%1").arg(n);
    return name;
}

// The box comes from the event loop, once the start has loaded the dictionary
// it is written in.
void tellSetAside(const QString& path, const QString& reason, const QString& aside)
{
    const auto tell = [path, reason, aside] {
        ShowWarning(Translate(QStringLiteral("The rows of the door that waited for the database when GT-430 last "
                                             "ended cannot be read:")) +
                    QLatin1Char('\r') + QDir::toNativeSeparators(path) + QStringLiteral(" (") + reason +
                    QStringLiteral(")\r") + Translate(QStringLiteral("The file is kept as:")) + QLatin1Char('\r') +
                    QDir::toNativeSeparators(aside));
    };
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, tell, Qt::QueuedConnection);
    else
        tell();
}

}

ReceiveLog& receiveLog()
{
    static ReceiveLog log;
    return log;
}

ReceiveLog::ReceiveLog() = default;
ReceiveLog::~ReceiveLog() = default;
ReceiveLog::ReceiveLog(ReceiveLog&&) noexcept = default;
ReceiveLog& ReceiveLog::operator=(ReceiveLog&&) noexcept = default;

void ReceiveLog::reset()
{
    *this = ReceiveLog{};
}

QString ReceiveLog::journalPathOf(const QString& databasePath)
{
    return QFileInfo(databasePath).dir().filePath(QStringLiteral("GT430.waiting"));
}

QString ReceiveLog::journalPath() const
{
    return m_journal ? m_journal->path() : QString();
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

void ReceiveLog::lookUp(WaitingRow& row)
{
    row.holder = LookUpEmployeeByCode(row.code);
    row.lookedUp = true;
    // A read of an earlier run kept its texts; only its holder is new.
    if (row.event && row.holder) {
        OnlineEvent event = *row.event;
        SetEventHolder(event, row.holder);
        row.event = std::make_shared<const OnlineEvent>(std::move(event));
    }
}

bool ReceiveLog::addRead(const PacketRecord& packet, const QString& code, uint16_t slot)
{
    if (!haveRoom())
        return false;
    WaitingRow row;
    row.sequence = m_nextSequence++;
    row.packet = packet;
    row.code = code;
    row.slot = slot;
    // A database closed for a moment gives the holder when the row is stored.
    if (!MainDatabaseAway()) {
        try {
            lookUp(row);
        } catch (const AppError&) {
            // A database that cannot be read now gives the holder when the row is stored.
        }
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
    WaitingRow row;
    row.isRead = false;
    row.sequence = m_nextSequence++;
    row.packet.Received = at;
    row.door = door;
    row.mode = mode;
    m_rows.push_back(std::move(row));
}

int ReceiveLog::storeRows(int budgetMs, QList<qint64>& eventRows, std::optional<AppError>& failure)
{
    std::size_t count = 0;
    const bool fromJournal = m_journalledUpTo > 0;
    try {
        Database& db = Db();
        // A transaction a window has left open (under a box of its own) would
        // take the rows with it, and lose them if it rolled back.
        if (db.inTransaction())
            raiseError(Err::Locked, QStringLiteral("A window of the program has a change of the database still open"));
        // Rows of the journal (they stand in front) are on the disk before the
        // journal lets them go: their commit waits for the disk, as the others do not.
        if (fromJournal)
            db.execute(QStringLiteral("PRAGMA synchronous=FULL"));
        const auto normal = qScopeGuard([&db, fromJournal] {
            if (!fromJournal)
                return;
            try {
                db.execute(QStringLiteral("PRAGMA synchronous=NORMAL"));
            } catch (const AppError&) {
                // A database that fails here fails the next tick too; opening it again sets it.
            }
        });
        db.execute(QStringLiteral("BEGIN IMMEDIATE"));
        QElapsedTimer spent;
        spent.start();
        try {
            while (count < m_rows.size() && (budgetMs < 0 || count == 0 || spent.elapsed() < budgetMs)) {
                WaitingRow& row = m_rows[count];
                if (row.isRead) {
                    if (!row.lookedUp)
                        lookUp(row);
                    StoreReadCardRow(row.packet, row.slot);
                    eventRows << SaveOnlineEvent(row.onlineEvent());
                } else {
                    AddDoorStatusRecord(row.door, row.mode, row.packet.Received);
                    eventRows << 0;
                }
                ++count;
            }
            // Rows stored from the journal are never stored from it again.
            if (fromJournal)
                db.execute(markStatement, {m_rows[count - 1].sequence});
            db.execute(QStringLiteral("COMMIT"));
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

CodeRead ReceiveLog::readOf(const WaitingRow& row, qint64 stored) const
{
    CodeRead read;
    read.Id = row.sequence;
    read.Packet = row.packet;
    read.Code = row.code;
    read.Slot = row.slot;
    const std::optional<QString> name = row.holder ? std::optional<QString>(row.holder->name) : std::nullopt;
    read.Event = RecordedEvent{stored, BuildEventLine(row.onlineEvent(), name)};
    return read;
}

void ReceiveLog::handOver(const QList<qint64>& eventRows)
{
    const auto stored = static_cast<std::size_t>(eventRows.size());
    std::size_t i = m_handedOverUpTo;
    for (; i < m_rows.size(); ++i) {
        WaitingRow& row = m_rows[i];
        if (!row.isRead || row.handedOver)
            continue;
        // Reads go to the windows in the order they came.
        if (i >= stored && !row.lookedUp)
            break;
        handOverCodeRead(readOf(row, i < stored ? eventRows.at(static_cast<qsizetype>(i)) : 0));
        row.handedOver = true;
    }
    m_handedOverUpTo = i > stored ? i - stored : 0;
    m_journalledUpTo = m_journalledUpTo > stored ? m_journalledUpTo - stored : 0;
    m_rows.erase(m_rows.begin(), m_rows.begin() + static_cast<std::ptrdiff_t>(stored));
}

void ReceiveLog::keepDurably()
{
    if (!m_journal)
        return;
    if (m_rows.empty()) {
        if (m_journalHolds)
            m_journal->clear();
        m_journalHolds = false;
        return;
    }
    if (m_journalledUpTo >= m_rows.size())
        return;
    QList<QByteArray> records;
    records.reserve(static_cast<qsizetype>(m_rows.size() - m_journalledUpTo));
    for (std::size_t i = m_journalledUpTo; i < m_rows.size(); ++i)
        records << m_rows[i].toRecord();
    m_journal->append(std::move(records));
    m_journalledUpTo = m_rows.size();
    m_journalHolds = true;
}

void ReceiveLog::failed(const AppError& error)
{
    ++m_failedTicks;
    if (!m_failing) {
        m_failing = true;
        m_storedSinceFault = 0;
        qCWarning(lcGt430).noquote() << QStringLiteral(
                                            "The door's rows cannot be stored now (%1); they wait in memory%2")
                                            .arg(error.description(),
                                                 m_journal ? QStringLiteral(" and in the journal ") + m_journal->path()
                                                           : QString());
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
    // The program's own closing is no fault: what comes meanwhile waits for the database to be back.
    const int count = m_rows.empty() || MainDatabaseAway() ? 0 : storeRows(StoreBudgetMs, eventRows, failure);
    handOver(eventRows);
    if (failure)
        failed(*failure);
    else if (count > 0)
        stored(count);
    keepDurably();
}

bool ReceiveLog::storeBeforeClosing(bool forGood)
{
    std::optional<AppError> failure;
    // At the end a journal keeps what the database does not take at once:
    // the end waits for the database only a moment, as a tick does.
    std::optional<Database::ShortWait> moment;
    if (Database* db = appState().Db.get(); forGood && m_journal && db && db->isOpen())
        moment.emplace(*db, WaitMs);
    while (!m_rows.empty()) {
        QList<qint64> eventRows;
        const int count = storeRows(-1, eventRows, failure);
        handOver(eventRows);
        if (failure)
            break;
        stored(count);
    }
    keepDurably();
    if (!failure) {
        if (forGood && m_journal)
            m_journal->flush(JournalFlushMs);
        return true;
    }
    if (!forGood) {
        if (!m_failing) {
            m_failing = true;
            m_storedSinceFault = 0;
        }
        qCWarning(lcGt430).noquote()
            << QStringLiteral("%1 rows of the door could not be stored before the database closed (%2); they wait in "
                              "memory and are stored once it is open again")
                   .arg(waiting())
                   .arg(failure->description());
        return false;
    }
    // The journal stays: the end may still frame what the port's reader took.
    const bool kept = m_journal && m_journal->flush(JournalFlushMs);
    // Said once for the same rows, however often the end closes the database.
    if (std::exchange(m_toldAtTheEnd, waiting()) == waiting())
        return false;
    if (kept) {
        qCWarning(lcGt430).noquote()
            << QStringLiteral("%1 rows of the door could not be stored before the end (%2); they wait in the journal "
                              "%3, and the next start stores them")
                   .arg(waiting())
                   .arg(failure->description(), m_journal->path());
    } else {
        qCWarning(lcGt430).noquote()
            << QStringLiteral("%1 rows of the door are lost: they could not be stored (%2) nor kept in a journal%3")
                   .arg(waiting())
                   .arg(failure->description(),
                        m_journal ? QStringLiteral(" (%1)").arg(m_journal->failure()) : QString());
    }
    return false;
}

void ReceiveLog::keepJournal(const QString& databasePath)
{
    const QString path = journalPathOf(databasePath);
    if (m_journal && m_journal->path() == path)
        return;
    m_journal.reset();
    if (!m_rows.empty()) {
        // The same run opens its database again: what waits is in memory.
        m_journal = std::make_unique<JournalWriter>(path, 0);
        m_journal->clear();
        m_journalledUpTo = 0;
        keepDurably();
        return;
    }
    storeWhatTheLastRunLeft(path);
}

void ReceiveLog::storeWhatTheLastRunLeft(const QString& path)
{
    JournalFile::Contents contents;
    QString problem;
    try {
        contents = JournalFile::read(path);
        problem = contents.damage;
    } catch (const AppError& error) {
        problem = error.description();
    }
    qint64 mark = 0;
    if (problem.isEmpty()) {
        try {
            mark = storedUpTo();
        } catch (const AppError& error) {
            problem = QStringLiteral("the database does not say what of it is stored: %1").arg(error.description());
            contents.records.clear();
        }
    }
    if (!problem.isEmpty()) {
        const QString aside = asideName(path);
        if (!QFile::rename(path, aside)) {
            // Writing over it would lose what it holds: no journal this run.
            qCWarning(lcGt430).noquote()
                << QStringLiteral("The journal %1 cannot be read (%2) nor set aside; no journal is kept in this run")
                       .arg(path, problem);
            return;
        }
        qCWarning(lcGt430).noquote()
            << QStringLiteral("The journal %1 cannot be read (%2); it is kept as %3").arg(path, problem, aside);
        tellSetAside(path, problem, aside);
        contents.wholeLength = 0;
    } else if (contents.cutShort) {
        qCWarning(lcGt430).noquote()
            << QStringLiteral("The last record of the journal %1 was cut short (the power went?); it is dropped")
                   .arg(path);
    }

    qint64 last = mark;
    int unknown = 0;
    for (const QByteArray& record : std::as_const(contents.records)) {
        std::optional<WaitingRow> row = WaitingRow::fromRecord(record);
        if (!row) {
            ++unknown;
            continue;
        }
        // Stored already, or met before.
        if (row->sequence <= last)
            continue;
        last = row->sequence;
        m_rows.push_back(std::move(*row));
    }
    if (unknown > 0)
        qCWarning(lcGt430).noquote() << QStringLiteral(
                                            "%1 records of the journal %2 are of no known kind; they are dropped")
                                            .arg(unknown)
                                            .arg(path);
    m_nextSequence = last + 1;
    m_journal = std::make_unique<JournalWriter>(path, contents.wholeLength);
    // A journal set aside: what was read of it goes into the new one.
    m_journalledUpTo = problem.isEmpty() ? m_rows.size() : 0;
    m_journalHolds = contents.wholeLength > 0;
    m_handedOverUpTo = m_rows.size();
    if (m_rows.empty()) {
        keepDurably();
        return;
    }
    const int rows = waiting();
    QList<qint64> eventRows;
    std::optional<AppError> failure;
    storeRows(-1, eventRows, failure);
    handOver(eventRows);
    if (failure) {
        m_failing = true;
        m_storedSinceFault = 0;
        qCWarning(lcGt430).noquote()
            << QStringLiteral("The %1 rows of the door that waited when GT-430 last ended cannot be stored now (%2); "
                              "they wait in the journal %3 and are stored as soon as the database takes them")
                   .arg(rows)
                   .arg(failure->description(), path);
    } else {
        qCInfo(lcGt430).noquote()
            << QStringLiteral("The %1 rows of the door that waited when GT-430 last ended are stored from the journal "
                              "%2, each with its own time")
                   .arg(rows)
                   .arg(path);
    }
    keepDurably();
}

QList<CodeRead> ReceiveLog::waitingReads() const
{
    QList<CodeRead> reads;
    for (const WaitingRow& row : m_rows) {
        if (row.isRead && row.handedOver)
            reads << readOf(row, 0);
    }
    return reads;
}
