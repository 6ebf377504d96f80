#include "ReportState.h"

#include <QDateTime>

ReportState::ReportState(std::shared_ptr<ReportDesign> d) : design(std::move(d)) {
    rows.fill(nullptr, design->dataViews.size());
    handlers.resize(design->dataViews.size());
    currentRow.fill(-1, design->dataViews.size());
    printedRows.fill(0, design->dataViews.size());
    texts.reserve(design->components.size());
    for (const ComponentDesign& c : design->components)
        texts << c.text;
    bandVisible.fill(true, design->bands.size());
    runDate = QDate::currentDate();
}

QString ReportState::printedText(int component, int row) const {
    const ComponentDesign& c = design->components[component];
    if (c.kind != ComponentKind::Field)
        return texts[component];
    const IRowSet* set = rows[c.dataView];
    if (row < 0 || !set || row >= set->rowCount())
        return QString();
    return formatValue(set->value(row, c.field), c.dateFormat);
}

void ReportState::checkConnections() const {
    for (int i = 0; i < design->dataViews.size(); ++i)
        if (!rows[i])
            throw ReportEngineError(QStringLiteral("Raport %1: połączenie %2 nie ma danych")
                                        .arg(design->name, design->dataViews[i].connection));
}

QString formatValue(const QVariant& value, const QString& dateFormat) {
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(dateFormat);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(dateFormat);
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}
