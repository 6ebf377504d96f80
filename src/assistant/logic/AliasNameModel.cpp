#include "logic/AliasNameModel.h"

#include "AliasRegistry.h"
#include "DbEngine.h"
#include "Errors.h"
#include "GlobalUtils.h"
#include "MyIniFile.h"
#include "SharedSettings.h"

#include <QAtomicInt>
#include <QCollator>
#include <QDir>
#include <QLocale>

#include <algorithm>

namespace kolmasyst {

const QString AliasNameModel::CannotRemoveChosenMessage =
    QStringLiteral("Brak możliwości usunięcia aliasu dla wybranej bazy danych");
const QString AliasNameModel::ConnectedMessage = QStringLiteral("Zrealizowano połączenie z bazą danych");
const QString AliasNameModel::NoConnectionMessage = QStringLiteral("Brak połączenia z bazą danych");

namespace {

using Settings::Folder;
constexpr Folder kFolders[] = {Folder::Database, Folder::Reports, Folder::Backups};

// Aliases in the order a Polish reader expects ("łódź" before "zakład"), letter case aside.
bool lessNoCase(const QString& a, const QString& b) {
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Polish, QLocale::Poland)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const int order = collator.compare(a, b);
    return order != 0 ? order < 0 : a < b;
}

bool hasControlCharacter(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

// The value of key in key=value lines (letter case ignored); empty when missing.
QString valueOf(const QStringList& lines, const QString& key) {
    for (const QString& line : lines) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1).trimmed();
    }
    return QString();
}

} // namespace

AliasNameModel::AliasNameModel(TMyIniFile& settings, QString registryPath)
    : m_settings(settings), m_registryPath(std::move(registryPath)) {}

void AliasNameModel::LoadEngineAliases() {
    m_engine.clear();
    for (const AliasInfo& a : AliasRegistry(m_registryPath).aliases())
        if (a.driver == AliasRegistry::InterBaseDriver && a.name != QLatin1String("IBLocal"))
            m_engine << a.name;
    std::sort(m_engine.begin(), m_engine.end(), lessNoCase);
}

void AliasNameModel::load(const QString& activeAlias) {
    LoadEngineAliases();
    LoadUsedDatabases();
    m_chosen = activeAlias;
    m_loadedUsed = m_used;
    m_loadedChosen = m_chosen;
}

bool AliasNameModel::changed() const {
    return !(m_used == m_loadedUsed) || m_chosen != m_loadedChosen;
}

void AliasNameModel::LoadUsedDatabases() {
    m_used.clear();
    m_settings.ReadAliasDatabases(m_stareAliasy);
    QStringList paths;
    m_settings.ReadPathDatabases(paths);
    const AliasRegistry registry(m_registryPath);
    for (const QString& line : m_stareAliasy) {
        const QString alias = TMyIniFile::aliasOfLine(line);
        if (!IsInterBaseAlias(registry, alias) || !m_engine.contains(alias, Qt::CaseInsensitive) ||
            record(alias))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        m_used.append(TAliasBazy(alias, eq < 0 ? QString() : line.mid(eq + 1).trimmed(),
                                 valueOf(paths, Settings::folderKey(Folder::Database, alias)),
                                 valueOf(paths, Settings::folderKey(Folder::Reports, alias)),
                                 valueOf(paths, Settings::folderKey(Folder::Backups, alias))));
    }
    sortUsed();
}

void AliasNameModel::sortUsed() {
    std::stable_sort(m_used.begin(), m_used.end(),
                     [](const TAliasBazy& a, const TAliasBazy& b) { return lessNoCase(a.Alias, b.Alias); });
}

TAliasBazy* AliasNameModel::record(const QString& alias) {
    for (TAliasBazy& r : m_used)
        if (r.Alias == alias)
            return &r;
    return nullptr;
}

QString AliasNameModel::serverName(const QString& alias) const {
    return AliasServerName(AliasRegistry(m_registryPath), alias);
}

QString AliasNameModel::AliasFileName(const QString& alias) const {
    return ExtractNamePart(serverName(alias));
}

bool AliasNameModel::addUsed(const QString& alias) {
    if (alias.isEmpty())
        return false;
    for (const TAliasBazy& r : m_used)
        if (r.Alias.compare(alias, Qt::CaseInsensitive) == 0)
            return false;
    m_used.append(TAliasBazy(alias, QString(), QString(), QString(), QString()));
    sortUsed();
    return true;
}

AliasNameModel::Removal AliasNameModel::removeUsed(const QString& alias) {
    for (int i = 0; i < m_used.size(); ++i) {
        if (m_used[i].Alias != alias)
            continue;
        if (alias == m_chosen)
            return Removal::Chosen;
        m_used.removeAt(i);
        return Removal::Removed;
    }
    return Removal::Missing;
}

bool AliasNameModel::addEngineAlias(const QString& name, const QString& server) {
    if (name.isEmpty())
        throw EKolmError(QStringLiteral("Podaj nazwę aliasu."));
    if (name != name.trimmed())
        throw EKolmError(QStringLiteral("Nazwa aliasu nie może zaczynać się ani kończyć odstępem."));
    if (hasControlCharacter(name) || name.contains(QLatin1Char('[')) || name.contains(QLatin1Char(']')) ||
        name.contains(QLatin1Char('=')))
        throw EKolmError(QStringLiteral("Nazwa aliasu nie może zawierać znaków \"[\", \"]\", \"=\", końca "
                                        "wiersza ani znaków sterujących."));
    // The alias names the folder of the database's reports.
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QStringLiteral("..")))
        throw EKolmError(QStringLiteral("Nazwa aliasu nie może zawierać znaków \"/\", \"\\\" ani \"..\"."));
    if (hasControlCharacter(server))
        throw EKolmError(QStringLiteral(
            "Nazwa pliku bazy danych nie może zawierać końca wiersza ani znaków sterujących."));
    AliasRegistry registry(m_registryPath);
    const QString existing = registry.resolve(name);
    if (existing == name)
        return false;
    if (!existing.isEmpty())
        throw EKolmError(QStringLiteral("Alias %1 już istnieje jako %2.").arg(name, existing));
    registry.addAlias(name, AliasRegistry::InterBaseDriver,
                      {QStringLiteral("SERVER NAME=") + server, QStringLiteral("USER NAME=BREL"),
                       QStringLiteral("LANGDRIVER=anpolish")});
    registry.save();
    LoadEngineAliases();
    return true;
}

void AliasNameModel::modifyEngineAlias(const QString& name, const QString& server) {
    if (hasControlCharacter(server))
        throw EKolmError(QStringLiteral(
            "Nazwa pliku bazy danych nie może zawierać końca wiersza ani znaków sterujących."));
    AliasRegistry registry(m_registryPath);
    registry.modifyAlias(name, {QStringLiteral("SERVER NAME=") + server});
    registry.save();
    LoadEngineAliases();
}

bool AliasNameModel::deleteEngineAlias(const QString& name) {
    if (name == m_chosen)
        return false;
    AliasRegistry registry(m_registryPath);
    registry.deleteAlias(name);
    registry.save();
    LoadEngineAliases();
    for (int i = 0; i < m_used.size(); ++i)
        if (m_used[i].Alias == name)
            m_used.removeAt(i--);
    return true;
}

QString AliasNameModel::globalPathOf(const QString& alias) const {
    for (const TAliasBazy& r : m_used)
        if (r.Alias == alias)
            return r.Path + QLatin1Char('/') + AliasFileName(alias);
    return QString();
}

AliasNameModel::Active AliasNameModel::save() {
    Active previous;
    const QString chosenPath = globalPathOf(m_chosen);
    const bool chosenListed = std::any_of(m_used.cbegin(), m_used.cend(),
                                          [this](const TAliasBazy& r) { return r.Alias == m_chosen; });
    m_settings.Update([&](IniDocument& doc) {
        previous.hadAlias = doc.hasKey(TMyIniFile::DatabaseSection, TMyIniFile::AliasNameKey);
        previous.alias = doc.value(TMyIniFile::DatabaseSection, TMyIniFile::AliasNameKey, QString());
        previous.hadGlobalPath = Settings::has(doc, Settings::ActiveDatabasePath);
        previous.globalPath =
            previous.hadGlobalPath ? Settings::value(doc, Settings::ActiveDatabasePath) : QString();
        for (const QString& line : m_stareAliasy) {
            const QString alias = TMyIniFile::aliasOfLine(line);
            doc.removeKey(TMyIniFile::AliasDatabasesSection, line.section(QLatin1Char('='), 0, 0));
            for (const Folder folder : kFolders)
                doc.removeKey(TMyIniFile::PathDatabasesSection, Settings::folderKey(folder, alias));
        }
        for (const TAliasBazy& r : m_used) {
            doc.setValue(TMyIniFile::AliasDatabasesSection, Settings::descriptionKey(r.Alias), r.OpisBazy);
            doc.setValue(TMyIniFile::PathDatabasesSection, Settings::folderKey(Folder::Database, r.Alias),
                         r.Path);
            doc.setValue(TMyIniFile::PathDatabasesSection, Settings::folderKey(Folder::Reports, r.Alias),
                         r.LokAsys);
            doc.setValue(TMyIniFile::PathDatabasesSection, Settings::folderKey(Folder::Backups, r.Alias),
                         r.LokBackup);
        }
        if (!m_chosen.isEmpty()) {
            doc.setValue(TMyIniFile::DatabaseSection, TMyIniFile::AliasNameKey, m_chosen);
            if (chosenListed)
                Settings::set(doc, Settings::ActiveDatabasePath, chosenPath);
        }
    });
    // The next save replaces what this one wrote.
    m_settings.ReadAliasDatabases(m_stareAliasy);
    m_loadedUsed = m_used;
    m_loadedChosen = m_chosen;
    return previous;
}

void AliasNameModel::restoreActive(const Active& previous) {
    m_settings.Update([&](IniDocument& doc) {
        if (previous.hadAlias)
            doc.setValue(TMyIniFile::DatabaseSection, TMyIniFile::AliasNameKey, previous.alias);
        else
            doc.removeKey(TMyIniFile::DatabaseSection, TMyIniFile::AliasNameKey);
        if (previous.hadGlobalPath)
            Settings::set(doc, Settings::ActiveDatabasePath, previous.globalPath);
        else
            doc.removeKey(TMyIniFile::SavedSection, Settings::ActiveDatabasePath.composed());
    });
}

bool AliasNameModel::testConnection(const QString& registryPath, const QString& alias, QString* reason,
                                    int timeoutSeconds) {
    static QAtomicInt counter;
    const QString name = QStringLiteral("kolmasyst-test-%1").arg(counter.fetchAndAddRelaxed(1));
    bool ok = false;
    try {
        const AliasRegistry registry(registryPath);
        DbEngine::openConnection(registry, alias, name, timeoutSeconds);
        ok = true;
    } catch (const EKolmError& e) {
        if (reason)
            *reason = e.text();
    }
    DbEngine::closeConnection(name);
    return ok;
}

} // namespace kolmasyst
