#pragma once

#include "FileLock.h"

#include <QString>

// The single-instance lock of a program, named after the program ("kolmrap.exe",
// "kolmasyst.exe"): a lock file in $XDG_RUNTIME_DIR, else in /tmp with the user id in its
// name. Held for the life of the process; the kernel releases it when the process dies.
class InstanceLock {
public:
    explicit InstanceLock(const QString& lockName);
    // False when another running instance holds the lock.
    bool tryAcquire() { return m_lock.tryLock(); }
    // Whether some process holds the lock now, without taking it.
    static bool isHeld(const QString& lockName);
    static QString lockFilePath(const QString& lockName);

private:
    FileLock m_lock;
};
