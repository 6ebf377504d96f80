#pragma once

#include <QString>

// An advisory, exclusive lock (flock) on a file that the kernel releases when the process
// dies. The descriptor is close-on-exec, so programs started from here do not keep it alive.
// A link at the lock file's name is never followed.
class FileLock {
public:
    // modelFile: a lock file created here gets that file's group and read/write mode, so that
    // the users sharing the model can all take the lock.
    explicit FileLock(const QString& lockFilePath, const QString& modelFile = QString());
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Without waiting; false when another holder has it (or the file cannot be opened).
    bool tryLock();
    // Waits for the lock; false only when the lock file cannot be opened.
    bool lock();
    void unlock();
    bool isLocked() const { return m_locked; }
    const QString& path() const { return m_path; }
    // The reason of the last failure to open the lock file.
    const QString& errorText() const { return m_error; }

private:
    bool open();

    QString m_path;
    QString m_model;
    QString m_error;
    int m_fd = -1;
    bool m_locked = false;
};
