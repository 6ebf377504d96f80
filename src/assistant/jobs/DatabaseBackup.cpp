#include "jobs/DatabaseBackup.h"

#include "AliasRegistry.h"
#include "DbEngine.h"
#include "Errors.h"
#include "GlobalUtils.h"
#include "MyIniFile.h"
#include "SharedSettings.h"
#include "SqlQuery.h"
#include "platform/SafeFile.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

namespace kolmasyst {

namespace {

QString connectionName() {
    static QAtomicInt counter;
    return QStringLiteral("kolmasyst-backup-%1").arg(counter.fetchAndAddRelaxed(1));
}

// Keeps the keep newest copies of the database whose copy of today is target: the files of its
// Backup folder named "<database>_<date>.gdb", newest by the time they were taken. Hidden
// temporary copies and anything else in the folder are left alone.
void removeOldCopies(const QString& target, const QString& name, int keep) {
    const QDir folder(QFileInfo(target).absolutePath());
    QFileInfoList copies;
    const QString prefix = name + QLatin1Char('_');
    for (const QFileInfo& info : folder.entryInfoList({QStringLiteral("*.gdb")}, QDir::Files)) {
        if (!info.isSymLink() && info.fileName().startsWith(prefix))
            copies << info;
    }
    std::sort(copies.begin(), copies.end(), [](const QFileInfo& a, const QFileInfo& b) {
        if (a.lastModified() != b.lastModified())
            return a.lastModified() > b.lastModified();
        return a.fileName() > b.fileName();
    });
    for (int i = keep; i < copies.size(); ++i) {
        // Today's copy is the one just taken: never the one to go.
        if (copies[i].absoluteFilePath() != QFileInfo(target).absoluteFilePath())
            QFile::remove(copies[i].absoluteFilePath());
    }
}

// The database files carry a four-character extension (".gdb", ".fdb"); their copies are named
// after the rest.
QString databaseName(const QString& file) {
    const QString name = ExtractNamePart(file);
    return name.chopped(qMin(4, int(name.size())));
}

// The date as it goes into a copy's file name: a date format with "/" (or a backslash) would make
// folders of its parts, so those separators become "-" (17/05/2024 gives firma_17-05-2024.gdb).
QString fileNameDate(const QString& date) {
    QString name = date;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    name.replace(QLatin1Char('\\'), QLatin1Char('-'));
    return name;
}

} // namespace

DatabaseBackup::DatabaseBackup(QString configFile, QString registryPath, DateConventions dates)
    : m_configFile(std::move(configFile)), m_registryPath(std::move(registryPath)), m_dates(std::move(dates)),
      m_installation(QFileInfo(m_registryPath).absolutePath()) {}

QString DatabaseBackup::fixupProgram() {
    const QString found = QStandardPaths::findExecutable(QStringLiteral("nbackup"));
    return found.isEmpty() ? QStringLiteral("nbackup") : found;
}

QString DatabaseBackup::copyPath(const QString& alias, const QString& file, const QDate& day) const {
    const QString root = m_installation.backupRoot(TMyIniFile(m_configFile), alias, file);
    const QString name = databaseName(file);
    return QDir(QDir(root).filePath(alias))
        .filePath(QStringLiteral("Backup/") + name + QLatin1Char('_') +
                  fileNameDate(m_dates.formatDate(day)) + QStringLiteral(".gdb"));
}

bool DatabaseBackup::BackupDatabases(const QDate& day) {
    bool result = true;
    const TMyIniFile ini(m_configFile);
    const int keep = Settings::backupCopiesKept(ini);
    for (const Settings::ListedDatabase& db : Settings::usedDatabases(ini, AliasRegistry(m_registryPath))) {
        const QString& alias = db.alias;
        const QString& file = db.localFile;
        // A database on another server is that server's to copy.
        if (file.isEmpty())
            continue;
        const QString target = copyPath(alias, file, day);
        try {
            SafeFile::makeFolders(QFileInfo(target).absolutePath());
        } catch (const EFileWriteError&) {
            result = false;
            continue;
        }
        if (!backupOne(alias, file, target)) {
            result = false;
            continue;
        }
        if (keep > 0)
            removeOldCopies(target, databaseName(file), keep);
    }
    return result;
}

bool DatabaseBackup::backupOne(const QString& alias, const QString& file, const QString& target) {
    const QString name = connectionName();
    QString temp;
    bool frozen = false;
    try {
        QSqlDatabase db;
        try {
            db = DbEngine::openConnection(AliasRegistry(m_registryPath), alias, name);
        } catch (const EKolmError&) {
            // "localhost:" with no server running: the file is local, the embedded engine opens it.
            DbEngine::closeConnection(name);
            db = DbEngine::openServerName(file, name);
        }
        // From here the main file does not change; the changes go to the delta file.
        SqlQuery::executeDirect(db, QStringLiteral("ALTER DATABASE BEGIN BACKUP"));
        frozen = true;
        try {
            temp = SafeFile::copyBeside(file, target);
        } catch (const EFileWriteError&) {
            // Not copied: the database leaves its backup state all the same.
        }
        SqlQuery::executeDirect(db, QStringLiteral("ALTER DATABASE END BACKUP"));
        frozen = false;
    } catch (const EKolmError&) {
        if (frozen && QSqlDatabase::contains(name)) {
            try {
                SqlQuery::executeDirect(QSqlDatabase::database(name, false),
                                        QStringLiteral("ALTER DATABASE END BACKUP"));
            } catch (const EKolmError&) {
                // The next start brings it out of the backup state.
            }
        }
    }
    DbEngine::closeConnection(name);
    if (temp.isEmpty())
        return false;
    // The copy still says it is in the backup state: made a normal database of its own.
    QProcess fixup;
    fixup.start(fixupProgram(), {QStringLiteral("-F"), temp});
    const bool fixed =
        fixup.waitForFinished(120000) && fixup.exitStatus() == QProcess::NormalExit && fixup.exitCode() == 0;
    if (fixed) {
        try {
            SafeFile::moveOver(temp, target);
            return true;
        } catch (const EFileWriteError&) {
        }
    }
    QFile::remove(temp);
    return false;
}

void DatabaseBackup::endStalledBackups() {
    const AliasRegistry registry(m_registryPath);
    for (const Settings::ListedDatabase& db : Settings::usedDatabases(TMyIniFile(m_configFile), registry)) {
        if (db.localFile.isEmpty())
            continue;
        const QString& alias = db.alias;
        const QString name = connectionName();
        try {
            const QSqlDatabase db = DbEngine::openConnection(registry, alias, name);
            int state = 0;
            {
                SqlQuery q(db);
                q.prepare(QStringLiteral("SELECT MON$BACKUP_STATE AS S FROM MON$DATABASE"));
                q.open();
                state = q.fieldInt(QStringLiteral("S"));
                q.close();
            }
            if (state == 1) // stalled: what a backup that never ended leaves
                SqlQuery::executeDirect(db, QStringLiteral("ALTER DATABASE END BACKUP"));
        } catch (const EKolmError&) {
            // A database that cannot be opened now is looked at again at the next start.
        }
        DbEngine::closeConnection(name);
    }
}

} // namespace kolmasyst
