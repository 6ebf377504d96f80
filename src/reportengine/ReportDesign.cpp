#include "ReportDesign.h"

#include "ReportEngine.h"

namespace {

template <typename T>
void indexNames(const QVector<T>& items, QHash<QString, int>& map, const QString& report,
                const QString& what) {
    map.clear();
    for (int i = 0; i < items.size(); ++i) {
        const QString key = items[i].name.toLower();
        if (map.contains(key))
            throw ReportEngineError(
                QStringLiteral("Raport %1: %2 \"%3\" występuje dwa razy").arg(report, what, items[i].name));
        map.insert(key, i);
    }
}

} // namespace

QString ReportDesign::titleText() const {
    QStringList texts;
    if (!titleBands.isEmpty())
        for (const int c : bands.at(titleBands.first()).components)
            if (components.at(c).kind == ComponentKind::Text)
                texts << components.at(c).text;
    return texts.join(QLatin1Char(' ')).simplified();
}

void ReportDesign::index() {
    indexNames(components, m_componentIndex, name, QStringLiteral("komponent"));
    indexNames(bands, m_bandIndex, name, QStringLiteral("pasmo"));
    indexNames(dataViews, m_dataViewIndex, name, QStringLiteral("widok danych"));
    m_connectionIndex.clear();
    for (int i = 0; i < dataViews.size(); ++i) {
        const QString key = dataViews[i].connection.toLower();
        if (m_connectionIndex.contains(key))
            throw ReportEngineError(QStringLiteral("Raport %1: połączenie \"%2\" występuje dwa razy")
                                        .arg(name, dataViews[i].connection));
        m_connectionIndex.insert(key, i);
    }
}
