#pragma once

#include "platform/FileLock.h"

#include <QString>

// The single-instance lock of a program, named after the program ("kolmrap.exe",
// "kolmasyst.exe"): a lock file in the user's private runtime folder ($XDG_RUNTIME_DIR when it
// is the user's own and closed to others, else <temp>/kolm-<uid>, made with mode 0700). Held
// for the life of the process; the kernel releases it when the process dies. Nothing another
// user could have placed (a foreign folder, a link) is used.
class InstanceLock {
public:
    enum class Outcome { Acquired, HeldElsewhere, Failed };

    explicit InstanceLock(const QString& lockName);
    Outcome acquire();
    // Why the lock could not be opened (Failed).
    const QString& errorText() const { return m_error; }

    // Whether some process holds the lock now, without taking it.
    static bool isHeld(const QString& lockName);
    // Empty, with the reason in error, when no private folder can be had.
    static QString lockFilePath(const QString& lockName, QString* error = nullptr);
    // A file of this user's private runtime folder (the lock's); empty when there is none.
    static QString privateFilePath(const QString& fileName, QString* error = nullptr);

private:
    QString m_name;
    QString m_error;
    FileLock m_lock;
};
