#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// A small file of records that outlives the program however it ends (a kill,
// a power cut): records are appended and synced, each with its length and a
// checksum, so a record cut short at the end is known and dropped, and the
// records before it are kept.
namespace JournalFile {

struct Contents {
    QList<QByteArray> records;
    // Where the last whole record ends; what follows is a record cut short.
    qint64 wholeLength = 0;
    bool cutShort = false;
    // Not empty when a record before the end is damaged: the records before it
    // are in `records`, nothing after it can be trusted.
    QString damage;
};

// The records of the journal at `path`; a missing or empty file holds none.
// A file that cannot be read, or that is no journal of this version, throws
// "path/file access" (75) with the reason (the path is the caller's to name).
Contents read(const QString& path);

// The bytes a journal starts with.
QByteArray header();
// One record as it stands in the file.
QByteArray frame(const QByteArray& record);

}

// Appends records to a journal from a thread of its own: the caller hands
// them over and never waits for the disk. Each batch handed over is written
// and synced in one go; the file is made, readable by its owner only, with
// the first batch. A batch that cannot be written (a full disk) is taken back
// out of the file and tried again with the next, or a second later; the
// failure and the return are each told once in the log. `clear` empties the
// file once everything handed over before it is done with.
class JournalWriter {
public:
    // The file at `path` is kept up to `wholeLength` (a record cut short
    // beyond it goes) and appended to.
    JournalWriter(QString path, qint64 wholeLength);
    // Tries once more to write what was handed over, then stops.
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    const QString& path() const { return m_path; }

    void append(QList<QByteArray> records);
    void clear();
    // Waits at most `timeoutMs` until everything handed over is on the disk;
    // false when it is not (the disk refuses it, or takes longer).
    bool flush(int timeoutMs);
    // The reason the last batch could not be written; empty while all is well.
    QString failure() const;

    // How long the writer waits before it tries a refused batch again.
    static constexpr int RetryMs = 1000;

private:
    struct Step {
        bool clear = false;
        QList<QByteArray> records;
    };

    void run();
    // Carries out the steps in order; false when a batch is refused (it then
    // stays at the front of `steps`).
    bool carryOut(std::deque<Step>& steps);
    bool open();
    bool writeBatch(const QByteArray& bytes);
    bool truncate();
    void refused(const QString& reason);

    const QString m_path;
    int m_fd = -1;
    qint64 m_length = 0;

    mutable std::mutex m_mutex;
    std::condition_variable m_work;
    std::condition_variable m_done;
    std::deque<Step> m_steps;
    qint64 m_handedOver = 0;
    qint64 m_finished = 0;
    bool m_stop = false;
    QString m_failure;
    std::thread m_thread;
};
