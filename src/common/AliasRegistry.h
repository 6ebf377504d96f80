#pragma once

#include "IniDocument.h"

#include <QString>
#include <QStringList>
#include <QVector>

struct AliasInfo {
    QString name;
    QString driver;
};

// The database engine's alias registry, the file aliases.ini in the programs' folder, shared
// by every program of the suite. One section per alias in registry order; its first key is
// DRIVER, followed by the alias's parameter lines ("SERVER NAME" first). Changes stay in this
// object until save(); a missing file means no aliases.
class AliasRegistry {
public:
    static const QString InterBaseDriver; // "INTRBASE"
    static QString defaultPath(const QString& programFolder);

    explicit AliasRegistry(const QString& path);
    void reload();

    QVector<AliasInfo> aliases() const;
    // Exact name first, then without regard to letter case; empty when unknown.
    QString resolve(const QString& name) const;
    // name=value lines of one alias, DRIVER left out. Raises EDBEngineError for an unknown
    // alias.
    QStringList parameters(const QString& name) const;
    QString parameter(const QString& name, const QString& parameterName) const;

    void addAlias(const QString& name, const QString& driver, const QStringList& parameterLines);
    // Replaces the given parameters (appends those the alias does not have yet).
    void modifyAlias(const QString& name, const QStringList& parameterLines);
    void deleteAlias(const QString& name);
    // Makes the changes permanent for every program (atomic rewrite under a lock).
    void save();

    const QString& path() const { return m_path; }

private:
    QString m_path;
    IniDocument m_doc;
};
