#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <memory>
#include <utility>

class PrintSystemConnection;

// A job of the print system (CUPS) whose one PDF document is sent as it is
// written, on a connection of its own, from the one thread that composes the
// document (never the window's: every wait on the print system is bounded,
// yet may last PrintSystem::answerBound()). The print system's answer is
// checked at every step, so a queue that refuses jobs, a daemon that is not
// running, does not answer or goes away in the middle is a failure, path/file
// access (75), naming the queue, the job and the reason; a job that failed or
// was never finished is cancelled, unless the print system stopped answering.
class PrintQueueJob final : public QIODevice {
public:
    using Options = QList<std::pair<QByteArray, QByteArray>>;

    PrintQueueJob(QString queue, QString title, Options options);
    ~PrintQueueJob() override;
    PrintQueueJob(const PrintQueueJob&) = delete;
    PrintQueueJob& operator=(const PrintQueueJob&) = delete;

    const QString& queue() const { return m_queue; }
    // The job's name in the queue; the document's too.
    void setTitle(const QString& title) { m_title = title; }

    // Creates the job and opens its document for writing.
    void create();
    // Throws the failure of an earlier write made through the device interface.
    void throwIfFailed() const;
    // Sends what is left and closes the document: the job is the print system's.
    void commit();
    // Cancels a job not committed yet.
    void discard() noexcept;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool flushBuffer();
    [[noreturn]] void fail(const QString& reason) const;

    QString m_queue;
    QString m_title;
    Options m_options;
    QByteArray m_buffer;
    QString m_failure;
    std::unique_ptr<PrintSystemConnection> m_connection;
    int m_job = 0;
    bool m_sending = false;
};
