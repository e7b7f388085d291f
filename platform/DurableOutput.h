#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// A file's new content, written beside it as it comes and put in its place by
// commit(): until then the old file stays as it was, and an output never
// committed leaves nothing behind. It goes through the system's own calls, so
// that a failure keeps the system's reason: every failure throws path/file
// access (75) naming the file, and after a failed write nothing more is taken.
// A new file is readable by its owner alone; a file replaced keeps its mode.
class DurableOutput final : public QIODevice {
public:
    explicit DurableOutput(QString path);
    ~DurableOutput() override;
    DurableOutput(const DurableOutput&) = delete;
    DurableOutput& operator=(const DurableOutput&) = delete;

    const QString& path() const { return m_path; }

    // Makes the file beside and opens this device for writing.
    void create();
    void writeAll(const QByteArray& bytes);
    // Throws the failure of an earlier write made through the device interface.
    void throwIfFailed() const;
    // Writes what is left, syncs, and puts the file in place.
    void commit();
    // Drops what was written.
    void discard() noexcept;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool flushBuffer();
    [[noreturn]] void fail(int error) const;

    QString m_path;
    QByteArray m_temporary;
    QByteArray m_buffer;
    int m_fd = -1;
    int m_error = 0;
};
