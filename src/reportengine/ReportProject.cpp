#include "ReportEngine.h"

#include "ProjectReader.h"

#include <QFile>

ReportProject ReportProject::fromJson(const QByteArray& json) {
    ReportProject project;
    project.m_designs = ProjectReader::read(json);
    return project;
}

ReportProject ReportProject::fromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportEngineError(
            QStringLiteral("Nie można otworzyć projektu raportów %1: %2").arg(path, file.errorString()));
    return fromJson(file.readAll());
}

QStringList ReportProject::reportNames() const {
    QStringList names;
    for (const auto& design : m_designs)
        names << design->name;
    return names;
}

Report ReportProject::createReport(const QString& name) const {
    for (const auto& design : m_designs)
        if (design->name.compare(name, Qt::CaseInsensitive) == 0)
            return Report(design);
    throw ReportEngineError(QStringLiteral("Projekt nie ma raportu %1").arg(name));
}
