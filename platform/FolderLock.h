#pragma once

#include <QString>

// A lock on a folder that one program at a time holds, for as long as it
// lives: the system lets go of it however the program ends. Nothing is
// written to take it, and programs that do not ask for it are not hindered.
class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when another holds the folder's lock (or the folder cannot be opened).
    bool take(const QString& folder);
    void release();

private:
    int m_fd = -1;
};
