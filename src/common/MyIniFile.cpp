#include "MyIniFile.h"

namespace {
const QString kDatabase = QStringLiteral("Database");
const QString kAliasName = QStringLiteral("AliasName");
const QString kSaved = QStringLiteral("SavedSettings");
const QString kAsystent = QStringLiteral("AsystentSettings");
const QString kBackup = QStringLiteral("BackupSettings");
const QString kAliasDatabases = QStringLiteral("AliasDatabases");
const QString kPathDatabases = QStringLiteral("PathDatabases");
const QString kMail = QStringLiteral("Poczta");
} // namespace

const QString TMyIniFile::Missing = QStringLiteral("INI FILE ERROR");
const QString TMyIniFile::InvalidAlias = QStringLiteral("Invalid alias name");
const QString TMyIniFile::ArchiveAlias = QStringLiteral("KolmArch");
const QString TMyIniFile::DatabaseSection = kDatabase;
const QString TMyIniFile::SavedSection = kSaved;
const QString TMyIniFile::AliasDatabasesSection = kAliasDatabases;
const QString TMyIniFile::PathDatabasesSection = kPathDatabases;
const QString TMyIniFile::AliasNameKey = kAliasName;
const QString TMyIniFile::MailSection = kMail;

void TMyIniFile::Update(const std::function<void(IniDocument& doc)>& change) {
    m_file.update(change);
}

TMyIniFile::TMyIniFile(const QString& fullPath, bool archiveAlias)
    : m_file(fullPath), m_archiveAlias(archiveAlias) {}

QString TMyIniFile::composedKey(const QString& group, const QString& name) {
    return group + QLatin1Char('.') + name + QStringLiteral(".Str");
}

QString TMyIniFile::readComposed(const QString& section, const QString& group, const QString& name) const {
    return m_file.readString(section, composedKey(group, name), Missing);
}

void TMyIniFile::writeComposed(const QString& section, const QString& group, const QString& name,
                               const QString& value) {
    m_file.writeString(section, composedKey(group, name), value);
}

QString TMyIniFile::ReadAliasName() const {
    if (m_archiveAlias)
        return ArchiveAlias;
    return m_file.readString(kDatabase, kAliasName, InvalidAlias);
}

void TMyIniFile::WriteAliasName(const QString& alias) {
    m_file.writeString(kDatabase, kAliasName, alias);
}

QString TMyIniFile::ReadSavedSetting(const QString& group, const QString& name) const {
    return readComposed(kSaved, group, name);
}
void TMyIniFile::WriteSavedSetting(const QString& group, const QString& name, const QString& value) {
    writeComposed(kSaved, group, name, value);
}
QString TMyIniFile::ReadMailSetting(const QString& group, const QString& name) const {
    return readComposed(kMail, group, name);
}
void TMyIniFile::WriteMailSetting(const QString& group, const QString& name, const QString& value) {
    writeComposed(kMail, group, name, value);
}
QStringList TMyIniFile::ReadMailSection() const {
    return m_file.readSection(kMail);
}
QString TMyIniFile::ReadAsystentSetting(const QString& group, const QString& name) const {
    return readComposed(kAsystent, group, name);
}
void TMyIniFile::WriteAsystentSetting(const QString& group, const QString& name, const QString& value) {
    writeComposed(kAsystent, group, name, value);
}
QString TMyIniFile::ReadBackupSetting(const QString& group, const QString& name) const {
    return readComposed(kBackup, group, name);
}
void TMyIniFile::WriteBackupSetting(const QString& group, const QString& name, const QString& value) {
    writeComposed(kBackup, group, name, value);
}

void TMyIniFile::WriteAliasDatabase(const QString& group, const QString& name, const QString& value) {
    writeComposed(kAliasDatabases, group, name, value);
}
void TMyIniFile::ReadAliasDatabases(QStringList& list) const {
    list = m_file.readSection(kAliasDatabases);
}
void TMyIniFile::DeleteAliasDatabase(const QString& key) {
    m_file.deleteKey(kAliasDatabases, key);
}

QString TMyIniFile::ReadPathDatabase(const QString& group, const QString& name) const {
    return readComposed(kPathDatabases, group, name);
}
void TMyIniFile::WritePathDatabase(const QString& group, const QString& name, const QString& value) {
    writeComposed(kPathDatabases, group, name, value);
}
void TMyIniFile::ReadPathDatabases(QStringList& list) const {
    list = m_file.readSection(kPathDatabases);
}
void TMyIniFile::DeletePathDatabase(const QString& key) {
    m_file.deleteKey(kPathDatabases, key);
}

QString TMyIniFile::aliasOfLine(const QString& line) {
    const int end = line.indexOf(QStringLiteral(".Str"));
    const QString head = end < 0 ? line : line.left(end);
    return head.mid(6);
}
