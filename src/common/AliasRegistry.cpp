#include "AliasRegistry.h"

#include "Errors.h"
#include "IniFile.h"

#include <QDir>

namespace {
const QString kDriver = QStringLiteral("DRIVER");

[[noreturn]] void unknownAlias(const QString& name) {
    throw EDBEngineError(QStringLiteral("Unknown database alias: %1").arg(name));
}
} // namespace

const QString AliasRegistry::InterBaseDriver = QStringLiteral("INTRBASE");

QString AliasRegistry::defaultPath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("aliases.ini"));
}

AliasRegistry::AliasRegistry(const QString& path) : m_path(path) {
    reload();
}

void AliasRegistry::reload() {
    m_doc = IniFile(m_path).read();
}

QVector<AliasInfo> AliasRegistry::aliases() const {
    QVector<AliasInfo> out;
    for (const QString& name : m_doc.sectionNames())
        out.append({name, m_doc.value(name, kDriver, QString())});
    return out;
}

QString AliasRegistry::resolve(const QString& name) const {
    const QStringList names = m_doc.sectionNames();
    for (const QString& n : names)
        if (n == name)
            return n;
    for (const QString& n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return QString();
}

QStringList AliasRegistry::parameters(const QString& name) const {
    const QString real = resolve(name);
    if (real.isEmpty())
        unknownAlias(name);
    QStringList out;
    for (const QString& line : m_doc.sectionLines(real))
        if (line.section(QLatin1Char('='), 0, 0).compare(kDriver, Qt::CaseInsensitive) != 0)
            out << line;
    return out;
}

QString AliasRegistry::parameter(const QString& name, const QString& parameterName) const {
    const QString real = resolve(name);
    if (real.isEmpty())
        unknownAlias(name);
    return m_doc.value(real, parameterName, QString());
}

void AliasRegistry::addAlias(const QString& name, const QString& driver, const QStringList& parameterLines) {
    if (!resolve(name).isEmpty())
        throw EDBEngineError(QStringLiteral("Database alias already exists: %1").arg(name));
    m_doc.appendSection(name, QStringList{kDriver + QLatin1Char('=') + driver} + parameterLines);
}

void AliasRegistry::modifyAlias(const QString& name, const QStringList& parameterLines) {
    const QString real = resolve(name);
    if (real.isEmpty())
        unknownAlias(name);
    for (const QString& line : parameterLines) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            m_doc.setValue(real, line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
}

void AliasRegistry::deleteAlias(const QString& name) {
    const QString real = resolve(name);
    if (real.isEmpty())
        unknownAlias(name);
    m_doc.removeSection(real);
}

void AliasRegistry::save() {
    const IniDocument mine = m_doc;
    IniFile(m_path).update([&](IniDocument& doc) { doc = mine; });
}
