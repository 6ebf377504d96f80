#pragma once

#include "logic/TAliasBazy.h"

#include <QString>
#include <QStringList>
#include <QVector>

class TMyIniFile;

namespace kolmasyst {

// What the databases dialog knows and does, without its widgets: the engine's aliases, the
// used databases with their description and folders, the database chosen as active, and the
// changes to the alias registry and to the configuration file.
class AliasNameModel {
public:
    static const QString
        CannotRemoveChosenMessage;         // "Brak możliwości usunięcia aliasu dla wybranej bazy danych"
    static const QString ConnectedMessage; // "Zrealizowano połączenie z bazą danych"
    static const QString NoConnectionMessage; // "Brak połączenia z bazą danych"
    static constexpr int MaxDescriptionLength = 32;
    // The connection test gives up on a server that does not answer after this long.
    static constexpr int TestTimeoutSeconds = 10;

    AliasNameModel(TMyIniFile& settings, QString registryPath);

    // FormShow: the engine's aliases, the used databases as the configuration file lists them
    // (kept as StareAliasy), and the active alias as the chosen one.
    void load(const QString& activeAlias);
    // The InterBase aliases of the registry but "IBLocal", sorted.
    void LoadEngineAliases();
    // The databases of the configuration file that are InterBase aliases the registry holds,
    // with their folders; the file's lines are kept as StareAliasy. Needs the engine's aliases.
    void LoadUsedDatabases();

    const QStringList& engineAliases() const { return m_engine; }
    // The used databases, sorted by alias.
    const QVector<TAliasBazy>& used() const { return m_used; }
    TAliasBazy* record(const QString& alias);
    const QString& chosen() const { return m_chosen; }
    // bWyborClick: takes effect on save.
    void choose(const QString& alias) { m_chosen = alias; }
    // Whether the used databases or the choice differ from what was loaded or last saved.
    bool changed() const;

    // The alias's server name (its first parameter line's value); empty for an unknown alias.
    QString serverName(const QString& alias) const;
    // The file name of the alias's database.
    QString AliasFileName(const QString& alias) const;

    // bAliasDodClick: false when the alias is in the used list already (any letter case).
    bool addUsed(const QString& alias);
    enum class Removal { Removed, Chosen, Missing };
    // bAliasUsunClick.
    Removal removeUsed(const QString& alias);

    // The registry is ours: names that would break it or that differ from an existing one only
    // in letter case are refused (EKolmError with the reason); an existing name gives false.
    bool addEngineAlias(const QString& name, const QString& serverName);
    void modifyEngineAlias(const QString& name, const QString& serverName);
    // Refuses the chosen database's alias (false); removes it from the used list too.
    bool deleteEngineAlias(const QString& name);

    // The active database as the configuration file names it.
    struct Active {
        QString alias;
        QString globalPath; // [SavedSettings] GLOBAL.path.Str; empty when missing
        bool hadAlias = false;
        bool hadGlobalPath = false;
    };
    // "Zamknij": the used databases replace the ones listed at load, and the chosen alias
    // becomes the active one, all in one update of the configuration file. Returns what was
    // active before.
    Active save();
    // Puts the active database of before save back (the new one could not be opened).
    void restoreActive(const Active& previous);

    // Opens and closes a connection of its own to the alias with the fixed login; false with
    // the engine's reason when it cannot be had. Runs on the calling thread.
    static bool testConnection(const QString& registryPath, const QString& alias, QString* reason,
                               int timeoutSeconds = TestTimeoutSeconds);

private:
    void sortUsed();
    QString globalPathOf(const QString& alias) const;

    TMyIniFile& m_settings;
    QString m_registryPath;
    QStringList m_engine;
    QVector<TAliasBazy> m_used;
    QString m_chosen;
    QStringList m_stareAliasy; // [AliasDatabases] lines at load
    QVector<TAliasBazy> m_loadedUsed;
    QString m_loadedChosen;
};

} // namespace kolmasyst
