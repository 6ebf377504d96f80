#include "Installation.h"

#include "DbEngine.h"
#include "GlobalUtils.h"
#include "IniFile.h"
#include "MyIniFile.h"
#include "SharedSettings.h"

#include <QDir>
#include <QFileInfo>

const QString Installation::FileName = QStringLiteral("instalacja.ini");

namespace {
const QString kSection = QStringLiteral("Instalacja");

QString folderValue(const IniFile& file, const QString& key) {
    const QString value = file.readString(kSection, key, QString()).trimmed();
    return value.isEmpty() ? QString() : QDir::cleanPath(value);
}

} // namespace

Installation::Installation(const QString& programFolder) : m_programFolder(programFolder) {
    const IniFile file(QDir(programFolder).filePath(FileName));
    m_databaseFolder = folderValue(file, QStringLiteral("Bazy"));
    m_server = file.readString(kSection, QStringLiteral("Serwer"), QString()).trimmed();
    if (m_server.isEmpty())
        m_server = QStringLiteral("localhost");
    m_dataFolder = folderValue(file, QStringLiteral("Dane"));
    if (m_dataFolder.isEmpty())
        m_dataFolder = m_databaseFolder;
}

QString Installation::serverNameOf(const QString& file) const {
    return m_server + QLatin1Char(':') + file;
}

QString Installation::databaseFor(const QString& name) const {
    if (!installed())
        return name;
    const ServerName where = ServerName::parse(name);
    if (!where.host.isEmpty())
        return name;
    if (!name.contains(QLatin1Char('/'))) {
        const QString file = QFileInfo(name).suffix().isEmpty() ? name + QStringLiteral(".fdb") : name;
        return serverNameOf(QDir(m_databaseFolder).filePath(file));
    }
    return serverNameOf(QDir::cleanPath(QFileInfo(name).absoluteFilePath()));
}

QString Installation::defaultReportRoot() const {
    return installed() ? m_dataFolder : m_programFolder;
}

QString Installation::defaultBackupRoot(const QString& databaseFile) const {
    return installed() ? m_dataFolder : ExtractFolderPart(databaseFile);
}

QString Installation::reportRoot(const TMyIniFile& settings, const QString& alias) const {
    const QString configured = Settings::readFolder(settings, Settings::Folder::Reports, alias);
    return Settings::isSet(configured) ? configured : defaultReportRoot();
}

QString Installation::reportsFolder(const TMyIniFile& settings, const QString& alias) const {
    return QDir(QDir(reportRoot(settings, alias)).filePath(alias)).filePath(QStringLiteral("Raporty"));
}

QString Installation::backupRoot(const TMyIniFile& settings, const QString& alias,
                                 const QString& databaseFile) const {
    const QString configured = Settings::readFolder(settings, Settings::Folder::Backups, alias);
    return Settings::isSet(configured) ? configured : defaultBackupRoot(databaseFile);
}
