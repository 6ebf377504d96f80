#include "platform/FileLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

FileLock::FileLock(const QString& lockFilePath, const QString& modelFile)
    : m_path(lockFilePath), m_model(modelFile) {}

FileLock::~FileLock() {
    unlock();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileLock::open() {
    if (m_fd >= 0)
        return true;
    if (m_path.isEmpty()) {
        m_error = QStringLiteral("no lock file");
        return false;
    }
    const QByteArray native = QFile::encodeName(m_path);
    m_fd = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_fd >= 0) {
        struct stat model {};
        mode_t mode = 0644;
        if (!m_model.isEmpty() && ::stat(QFile::encodeName(m_model).constData(), &model) == 0) {
            mode = model.st_mode & 0666;
            if (::fchown(m_fd, uid_t(-1), model.st_gid) != 0) {
                // Not in the model's group: the lock file keeps the creator's group.
            }
        }
        ::fchmod(m_fd, mode);
        return true;
    }
    if (errno == EEXIST) {
        // flock needs no write access, so a lock file made by another user serves as well.
        m_fd = ::open(native.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
        if (m_fd < 0 && errno == EACCES)
            m_fd = ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (m_fd >= 0)
            return true;
    }
    m_error = errno == ELOOP
                  ? QStringLiteral("%1: a link stands at the lock file's name").arg(m_path)
                  : QStringLiteral("%1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
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
    Q_ASSERT(m_fd >= 0);
    m_locked = true;
    return true;
}

void FileLock::unlock() {
    if (m_locked && m_fd >= 0)
        ::flock(m_fd, LOCK_UN);
    m_locked = false;
}
