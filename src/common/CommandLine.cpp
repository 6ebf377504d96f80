#include "CommandLine.h"

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine line;
    line.arguments = arguments;
    line.configuration = arguments.value(0);
    line.userName = arguments.value(1);
    line.password = arguments.value(2);
    line.archiveAlias = arguments.size() >= 3 && arguments.at(2) == QLatin1String("1");
    return line;
}

QString CommandLine::configFileName() const {
    const QString& first = configuration;
    if (first.size() == 1 && first.at(0) >= QLatin1Char('1') && first.at(0) <= QLatin1Char('9'))
        return QStringLiteral("brel_") + first + QStringLiteral(".ini");
    return QStringLiteral("brel.ini");
}

QString CommandLine::digitForPrograms() const {
    return configuration.isEmpty() ? QStringLiteral("0") : configuration;
}
