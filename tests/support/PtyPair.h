#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair standing in for the serial cable: the test plays the
// door unit on the master side; the program opens the slave as its port. The
// line is raw from the start, so nothing is echoed or held back.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isOpen() const { return m_master >= 0; }
    const QString& slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }

    // Writes everything to the line (what the unit sends).
    bool write(const QByteArray& bytes);
    // What arrived at the master from the slave side, without waiting.
    QByteArray readFromSlave();
    // Hangs the line up.
    void closeMaster();

    // A link "COMn" in the folder pointing at the slave, in place of one there
    // (a device plugged in again comes back behind the same port).
    bool linkAs(const QString& folder, int number) const;

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
