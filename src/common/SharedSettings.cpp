#include "SharedSettings.h"

#include "AliasRegistry.h"
#include "Errors.h"
#include "GlobalUtils.h"
#include "IniDocument.h"
#include "MyIniFile.h"

#include <cstdio>

namespace Settings {

QString Key::sectionName() const {
    switch (section) {
    case Section::Asystent:
        return QStringLiteral("AsystentSettings");
    case Section::Backup:
        return QStringLiteral("BackupSettings");
    case Section::Mail:
        return TMyIniFile::MailSection;
    case Section::Saved:
        break;
    }
    return QStringLiteral("SavedSettings");
}

QString Key::composed() const {
    return TMyIniFile::composedKey(QLatin1String(group), QLatin1String(name));
}

QString unitRecipientsName(const QString& unitCode) {
    return QStringLiteral("Jednostka.") + unitCode;
}

Key sectionSwitch(int index) {
    Q_ASSERT(index >= 0 && index < SectionCount);
    return Key{Section::Asystent, "ASYST", SectionKeys[std::size_t(index)]};
}

int sectionIndex(const QString& name) {
    for (int i = 0; i < SectionCount; ++i)
        if (name == QLatin1String(SectionKeys[std::size_t(i)]))
            return i;
    return -1;
}

bool sectionOn(const TMyIniFile& ini, int index) {
    return read(ini, sectionSwitch(index)) == QLatin1String("T");
}

namespace {
QString folderGroup(Folder folder) {
    switch (folder) {
    case Folder::Database:
        return QStringLiteral("PATH");
    case Folder::Reports:
        return QStringLiteral("ASYST");
    case Folder::Backups:
        break;
    }
    return QStringLiteral("BACKUP");
}
} // namespace

QString folderKey(Folder folder, const QString& alias) {
    return TMyIniFile::composedKey(folderGroup(folder), alias);
}

QString readFolder(const TMyIniFile& ini, Folder folder, const QString& alias) {
    return ini.ReadPathDatabase(folderGroup(folder), alias);
}

bool isSet(const QString& value) {
    return !value.isEmpty() && value != TMyIniFile::Missing;
}

QString descriptionKey(const QString& alias) {
    return TMyIniFile::composedKey(QStringLiteral("ALIAS"), alias);
}

QString read(const TMyIniFile& ini, const Key& key) {
    const QString group = QLatin1String(key.group), name = QLatin1String(key.name);
    switch (key.section) {
    case Section::Asystent:
        return ini.ReadAsystentSetting(group, name);
    case Section::Backup:
        return ini.ReadBackupSetting(group, name);
    case Section::Mail:
        return ini.ReadMailSetting(group, name);
    case Section::Saved:
        break;
    }
    return ini.ReadSavedSetting(group, name);
}

void write(TMyIniFile& ini, const Key& key, const QString& value) {
    const QString group = QLatin1String(key.group), name = QLatin1String(key.name);
    switch (key.section) {
    case Section::Asystent:
        ini.WriteAsystentSetting(group, name, value);
        return;
    case Section::Backup:
        ini.WriteBackupSetting(group, name, value);
        return;
    case Section::Mail:
        ini.WriteMailSetting(group, name, value);
        return;
    case Section::Saved:
        ini.WriteSavedSetting(group, name, value);
        return;
    }
}

bool has(const IniDocument& doc, const Key& key) {
    return doc.hasKey(key.sectionName(), key.composed());
}

QString value(const IniDocument& doc, const Key& key) {
    return doc.value(key.sectionName(), key.composed(), TMyIniFile::Missing).left(IniFile::MaxValueLength);
}

void set(IniDocument& doc, const Key& key, const QString& value) {
    doc.setValue(key.sectionName(), key.composed(), value);
}

QString flag(bool on) {
    return on ? QStringLiteral("T") : QStringLiteral("N");
}

namespace {

void warn(const Key& key, const QString& value, const QString& meaning) {
    std::fprintf(
        stderr, "%s\n",
        qPrintable(QStringLiteral("Ustawienie %1=\"%2\" %3").arg(key.composed(), value.left(80), meaning)));
}

bool readSwitch(const TMyIniFile& ini, const Key& key) {
    const QString value = read(ini, key);
    if (value == TMyIniFile::Missing || value.isEmpty() || value == QLatin1String("N"))
        return false;
    if (value == QLatin1String("T"))
        return true;
    warn(key, value, QStringLiteral("nie jest \"T\" ani \"N\": opcja wyłączona"));
    return false;
}

int readCount(const TMyIniFile& ini, const Key& key, int fallback) {
    const QString value = read(ini, key);
    if (value == TMyIniFile::Missing || value.isEmpty())
        return fallback;
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    if (ok && n >= 0)
        return n;
    warn(key, value, QStringLiteral("nie jest liczbą: przyjęto %1").arg(fallback));
    return fallback;
}

} // namespace

bool workbook(const TMyIniFile& ini) {
    return readSwitch(ini, Workbook);
}

bool polishLetters(const TMyIniFile& ini) {
    return readSwitch(ini, PolishLetters);
}

bool pdfArchival(const TMyIniFile& ini) {
    return readSwitch(ini, PdfArchival);
}

int unitLevel(const TMyIniFile& ini) {
    return readCount(ini, UnitLevel, 0);
}

int lapseHorizonDays(const TMyIniFile& ini) {
    return readCount(ini, LapseHorizon, DefaultLapseHorizonDays);
}

int backupCopiesKept(const TMyIniFile& ini) {
    return readCount(ini, BackupCopies, 0);
}

QVector<ListedDatabase> listedDatabases(const TMyIniFile& ini, const AliasRegistry& registry) {
    QStringList lines;
    ini.ReadAliasDatabases(lines);
    QVector<ListedDatabase> out;
    out.reserve(lines.size());
    for (const QString& line : lines) {
        ListedDatabase db;
        db.alias = TMyIniFile::aliasOfLine(line);
        db.description = line.section(QLatin1Char('='), 1);
        db.suiteAlias = IsInterBaseAlias(registry, db.alias);
        if (db.suiteAlias) {
            db.serverName = AliasServerName(registry, db.alias);
            try {
                db.localFile = AliasDatabaseFile(registry, db.alias);
            } catch (const EKolmError&) {
            }
        }
        out << db;
    }
    return out;
}

QVector<ListedDatabase> usedDatabases(const TMyIniFile& ini, const AliasRegistry& registry) {
    QVector<ListedDatabase> out;
    for (const ListedDatabase& db : listedDatabases(ini, registry))
        if (db.suiteAlias)
            out << db;
    return out;
}

} // namespace Settings
