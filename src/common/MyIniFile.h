#pragma once

#include "IniFile.h"

#include <QString>
#include <QStringList>

#include <functional>

// The configuration file shared by the assistant and the report generator: one named read
// and write per section; keys are group + "." + name + ".Str".
class TMyIniFile {
public:
    // What a read of a missing composed key gives.
    static const QString Missing;
    // What a read of a missing active alias gives.
    static const QString InvalidAlias;
    // The alias the programs work on when started with the third argument "1".
    static const QString ArchiveAlias;
    // The sections, for changes made with Update.
    static const QString DatabaseSection;       // "Database", key AliasName
    static const QString SavedSection;          // "SavedSettings"
    static const QString AliasDatabasesSection; // "AliasDatabases"
    static const QString PathDatabasesSection;  // "PathDatabases"
    static const QString AliasNameKey;          // "AliasName"
    static const QString MailSection;           // "Poczta"

    // archiveAlias: the command line asks for the archive alias (a third argument "1"). Does not
    // touch the file.
    explicit TMyIniFile(const QString& fullPath, bool archiveAlias = false);

    const QString& fileName() const { return m_file.path(); }

    QString ReadAliasName() const;
    void WriteAliasName(const QString& alias);

    QString ReadSavedSetting(const QString& group, const QString& name) const;
    void WriteSavedSetting(const QString& group, const QString& name, const QString& value);
    QString ReadAsystentSetting(const QString& group, const QString& name) const;
    void WriteAsystentSetting(const QString& group, const QString& name, const QString& value);
    QString ReadBackupSetting(const QString& group, const QString& name) const;
    void WriteBackupSetting(const QString& group, const QString& name, const QString& value);
    QString ReadMailSetting(const QString& group, const QString& name) const;
    void WriteMailSetting(const QString& group, const QString& name, const QString& value);
    // The lines "key=value" of [Poczta].
    QStringList ReadMailSection() const;

    void WriteAliasDatabase(const QString& group, const QString& name, const QString& value);
    void ReadAliasDatabases(QStringList& list) const;
    void DeleteAliasDatabase(const QString& key);

    QString ReadPathDatabase(const QString& group, const QString& name) const;
    void WritePathDatabase(const QString& group, const QString& name, const QString& value);
    void ReadPathDatabases(QStringList& list) const;
    void DeletePathDatabase(const QString& key);

    // Several changes as one update of the file: whatever stops the program, the file holds
    // either all of them or none.
    void Update(const std::function<void(IniDocument& doc)>& change);

    static QString composedKey(const QString& group, const QString& name);

    // The alias named by a line of ReadAliasDatabases: the text between "ALIAS." and the
    // first ".Str".
    static QString aliasOfLine(const QString& line);

private:
    QString readComposed(const QString& section, const QString& group, const QString& name) const;
    void writeComposed(const QString& section, const QString& group, const QString& name,
                       const QString& value);

    IniFile m_file;
    bool m_archiveAlias;
};
