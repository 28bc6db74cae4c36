// Keeps a second copy of the viewer with the same plug-in from running: an
// exclusive flock on a per-user lock file named after the plug-in, held
// for the life of the program (the kernel drops it when the process ends,
// however it ends).
#pragma once

#include <QString>

class CSingleInstance {
public:
    CSingleInstance() = default;
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when this process now holds the lock; false when another
    // process holds it (or the lock file cannot be opened, which is
    // treated the same way only when flock reports the conflict).
    bool Acquire(const QString& name);
    QString LockFile() const { return m_path; }

    // "<runtime folder>/kestrel-<name>.lock" (the temp folder gets the user
    // id as well, as it is shared between users).
    static QString LockFileFor(const QString& name);

private:
    int m_fd = -1;
    QString m_path;
};
