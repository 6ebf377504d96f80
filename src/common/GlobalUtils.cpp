#include "GlobalUtils.h"

#include "AliasRegistry.h"
#include "DbEngine.h"

namespace {

int lastSeparator(const QString& path) {
    return qMax(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

} // namespace

QString AliasDatabaseFile(const AliasRegistry& registry, const QString& alias) {
    const QStringList lines = registry.parameters(alias);
    if (lines.isEmpty())
        return QString();
    const QString first = lines.first();
    const QString value = first.mid(first.indexOf(QLatin1Char('=')) + 1).left(255);
    const ServerName where = ServerName::parse(value);
    return where.isLocalFile() ? where.path.left(255) : QString();
}

QString AliasServerName(const AliasRegistry& registry, const QString& alias) {
    if (registry.resolve(alias).isEmpty())
        return QString();
    const QStringList lines = registry.parameters(alias);
    return lines.isEmpty() ? QString() : lines.first().mid(12);
}

bool IsInterBaseAlias(const AliasRegistry& registry, const QString& name) {
    for (const AliasInfo& alias : registry.aliases()) {
        if (alias.name == QLatin1String("IBLocal"))
            continue;
        if (alias.driver == AliasRegistry::InterBaseDriver && alias.name == name)
            return true;
    }
    return false;
}

QString ExtractFolderPart(const QString& path) {
    const int at = lastSeparator(path);
    return at <= 0 ? QString() : path.left(at);
}

QString ExtractNamePart(const QString& path) {
    return path.mid(lastSeparator(path) + 1);
}
