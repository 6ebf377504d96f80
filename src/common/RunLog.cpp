#include "RunLog.h"

#include "Errors.h"
#include "platform/InstanceLock.h"
#include "platform/SafeFile.h"

#include <QFile>
#include <QFileInfo>

namespace RunLog {

QString path(const QString& configFileName) {
    return InstanceLock::privateFilePath(
        QStringLiteral("kolmrap-") + QFileInfo(configFileName).completeBaseName() + QStringLiteral(".log"));
}

void write(const QString& configFileName, const QStringList& lines) {
    const QString file = path(configFileName);
    if (file.isEmpty())
        return;
    try {
        SafeFile::replace(file, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(),
                          SafeFile::Links::Replace);
    } catch (const EFileWriteError&) {
    }
}

Entry read(const QString& configFileName) {
    Entry entry;
    QFile file(path(configFileName));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return entry;
    entry.found = true;
    entry.written = QFileInfo(file).lastModified();
    entry.lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return entry;
}

} // namespace RunLog
