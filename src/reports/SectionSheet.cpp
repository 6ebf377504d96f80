#include "SectionSheet.h"

#include <QDate>
#include <QHash>

namespace kolmrap {

namespace {

// The fields' column titles; a field not named here is titled with its own name.
QString title(const QString& component) {
    static const QHash<QString, QString> titles{
        {QStringLiteral("OpisElemStrukt"), QStringLiteral("Lokalizacja")},
        {QStringLiteral("KOD"), QStringLiteral("Kod stanowiska")},
        {QStringLiteral("SKROTNAZWA"), QStringLiteral("Stanowisko")},
        {QStringLiteral("NAZWA"), QStringLiteral("Czynnik / środek")},
        {QStringLiteral("NazwaSrodGr"), QStringLiteral("Grupa środków")},
        {QStringLiteral("NAZWISKO"), QStringLiteral("Nazwisko")},
        {QStringLiteral("IMIE"), QStringLiteral("Imię")},
        {QStringLiteral("PESEL"), QStringLiteral("PESEL")},
        {QStringLiteral("TERMNASTBAD"), QStringLiteral("Termin następnego badania")},
    };
    return titles.value(component, component);
}

// Whether text is a date as yyyy-MM-dd (ASCII digits): checked by hand, as every cell of a
// long section passes here.
bool looksLikeIsoDate(QStringView text) {
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return false;
    for (int i = 0; i < 10; ++i)
        if (i != 4 && i != 7 && (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')))
            return false;
    return true;
}

QVariant cell(const QString& component, const QString& text) {
    if (component == QLatin1String("OpisElemStrukt"))
        return SectionSheet::locationPath(text);
    const QString trimmed = text.trimmed();
    if (looksLikeIsoDate(trimmed)) {
        const QDate date = QDate::fromString(trimmed, Qt::ISODate);
        if (date.isValid())
            return date;
    }
    return trimmed;
}

// Labels ("lOpis...") and texts without a data view are the page's, not the row's.
bool isField(const QString& component) {
    return !(component.size() > 1 && component[0] == QLatin1Char('l') && component[1].isUpper());
}

} // namespace

QString SectionSheet::locationPath(const QString& printed) {
    // The lines between carriage returns and line feeds, blank ones left out.
    QStringList parts;
    int start = 0;
    for (int i = 0; i <= printed.size(); ++i) {
        if (i < printed.size() && printed[i] != QLatin1Char('\r') && printed[i] != QLatin1Char('\n'))
            continue;
        const QString line = printed.mid(start, i - start).trimmed();
        if (!line.isEmpty())
            parts << line;
        start = i + 1;
    }
    return parts.join(QStringLiteral(" / "));
}

QSet<QString> SectionSheet::rowKeys() const {
    QSet<QString> keys;
    for (const QVector<QVariant>& row : rows) {
        QStringList texts;
        for (const QVariant& v : row)
            if (v.metaType().id() == QMetaType::QString && !v.toString().isEmpty())
                texts << v.toString();
        keys.insert(texts.join(QChar(0x1f)));
    }
    return keys;
}

SectionSheet SectionSheet::onlyStations(const QSet<int>& stations) const {
    SectionSheet part;
    part.name = name;
    part.headers = headers;
    for (int r = 0; r < rows.size(); ++r) {
        if (!stations.contains(rowStations.value(r, -1)))
            continue;
        part.rows << rows[r];
        if (r < rowColours.size())
            part.rowColours << rowColours[r];
        part.rowStations << rowStations[r];
    }
    return part;
}

SectionSheet SectionSheet::fromRecord(const QString& name, const QVector<PrintedBand>& bands,
                                      const std::function<int(const PrintedBand&)>& stationOf) {
    SectionSheet sheet;
    sheet.name = name;
    // The data bands in the order of their first line: the last of them is the row.
    QStringList levels;
    for (const PrintedBand& b : bands)
        if (!b.dataView.isEmpty() && !levels.contains(b.band))
            levels << b.band;
    if (levels.isEmpty())
        return sheet;
    QHash<QString, QStringList> fields;
    for (const PrintedBand& b : bands) {
        if (b.dataView.isEmpty())
            continue;
        QStringList& names = fields[b.band];
        for (const auto& t : b.texts)
            if (isField(t.first) && !names.contains(t.first))
                names << t.first;
    }
    for (const QString& level : levels)
        for (const QString& field : fields.value(level))
            sheet.headers << title(field);

    // What each level printed last; a location left blank under the same ancestors is the one above.
    QHash<QString, QHash<QString, QVariant>> current;
    const QString& deepest = levels.last();
    for (const PrintedBand& b : bands) {
        if (b.dataView.isEmpty())
            continue;
        const int depth = levels.indexOf(b.band);
        // A new line of a level starts its lower levels afresh.
        for (int i = depth + 1; i < levels.size(); ++i)
            current.remove(levels[i]);
        QHash<QString, QVariant>& values = current[b.band];
        for (const auto& t : b.texts) {
            if (!isField(t.first))
                continue;
            const QVariant v = cell(t.first, t.second);
            if (t.first == QLatin1String("OpisElemStrukt") && v.toString().isEmpty() &&
                values.contains(t.first))
                continue;
            values[t.first] = v;
        }
        if (b.band != deepest)
            continue;
        QVector<QVariant> row;
        for (const QString& level : levels)
            for (const QString& field : fields.value(level))
                row << current.value(level).value(field, QString());
        sheet.rows << row;
        sheet.rowStations << (stationOf ? stationOf(b) : -1);
    }
    return sheet;
}

} // namespace kolmrap
