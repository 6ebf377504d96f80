#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder of this user's alone: no link, owned by the user, no access for group or others.
bool isPrivateFolder(const QString& folder, QString* why) {
    struct stat st {};
    if (::lstat(QFile::encodeName(folder).constData(), &st) != 0) {
        *why = QStringLiteral("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        *why = QStringLiteral("%1 is not a folder").arg(folder);
        return false;
    }
    if (st.st_uid != ::getuid()) {
        *why = QStringLiteral("%1 belongs to another user").arg(folder);
        return false;
    }
    if ((st.st_mode & 077) != 0) {
        *why = QStringLiteral("%1 is open to other users").arg(folder);
        return false;
    }
    return true;
}

QString privateFolder(QString* error) {
    QString why;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateFolder(runtime, &why))
        return runtime;
    // Without a runtime folder (cron, su): a folder of our own under the temporary folder.
    const QString folder = QDir(QDir::tempPath()).filePath(QStringLiteral("kolm-%1").arg(::getuid()));
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        return QString();
    }
    if (!isPrivateFolder(folder, &why)) {
        if (error)
            *error = why;
        return QString();
    }
    return folder;
}

} // namespace

QString InstanceLock::privateFilePath(const QString& fileName, QString* error) {
    const QString folder = privateFolder(error);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(fileName);
}

QString InstanceLock::lockFilePath(const QString& lockName, QString* error) {
    const QString folder = privateFolder(error);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(lockName + QStringLiteral(".lock"));
}

InstanceLock::InstanceLock(const QString& lockName)
    : m_name(lockName), m_lock(lockFilePath(lockName, &m_error)) {}

InstanceLock::Outcome InstanceLock::acquire() {
    if (m_lock.path().isEmpty())
        return Outcome::Failed;
    if (m_lock.tryLock())
        return Outcome::Acquired;
    if (!m_lock.errorText().isEmpty()) {
        m_error = m_lock.errorText();
        return Outcome::Failed;
    }
    return Outcome::HeldElsewhere;
}

bool InstanceLock::isHeld(const QString& lockName) {
    const QString path = lockFilePath(lockName);
    if (path.isEmpty())
        return false;
    FileLock probe(path);
    if (probe.tryLock())
        return false;
    // A lock file that cannot even be opened is held by nobody.
    return probe.errorText().isEmpty();
}
