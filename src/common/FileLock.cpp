#include "FileLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::FileLock(const QString& lockFilePath) : m_path(lockFilePath) {}

FileLock::~FileLock() {
    unlock();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileLock::open() {
    if (m_fd >= 0)
        return true;
    const QByteArray native = QFile::encodeName(m_path);
    m_fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

bool FileLock::tryLock() {
    if (m_locked)
        return true;
    if (!open())
        return false;
    m_locked = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
    return m_locked;
}

bool FileLock::lock() {
    if (m_locked)
        return true;
    if (!open())
        return false;
    while (::flock(m_fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
    }
    m_locked = true;
    return true;
}

void FileLock::unlock() {
    if (m_locked && m_fd >= 0)
        ::flock(m_fd, LOCK_UN);
    m_locked = false;
}
