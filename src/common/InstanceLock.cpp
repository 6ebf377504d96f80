#include "InstanceLock.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

QString InstanceLock::lockFilePath(const QString& lockName) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(lockName + QStringLiteral(".lock"));
    return QStringLiteral("/tmp/%1-%2.lock").arg(lockName).arg(::getuid());
}

InstanceLock::InstanceLock(const QString& lockName) : m_lock(lockFilePath(lockName)) {}

bool InstanceLock::isHeld(const QString& lockName) {
    FileLock probe(lockFilePath(lockName));
    if (probe.tryLock())
        return false;
    // A lock file that cannot even be opened is held by nobody.
    return probe.errorText().isEmpty();
}
