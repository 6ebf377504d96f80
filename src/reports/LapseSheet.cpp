#include "LapseSheet.h"

#include "DbEngine.h"
#include "StructureLookup.h"

#include <QSqlError>
#include <QSqlQuery>

namespace kolmrap {

const QString LapseSheet::Name = QStringLiteral("Wygasające");
const QString LapseSheet::NoDate = QStringLiteral("brak daty");

LapseSheet::Band LapseSheet::band(int daysRemaining) {
    if (daysRemaining <= 0)
        return Band::Expired;
    return daysRemaining <= 30 ? Band::Soon : Band::Later;
}

SectionSheet LapseSheet::build(const QSqlDatabase& db, StructureLookup& lookup, const QDate& today,
                               int horizonDays) {
    SectionSheet sheet;
    sheet.name = Name;
    sheet.headers = {QStringLiteral("Dni do końca"),   QStringLiteral("Data ważności"),
                     QStringLiteral("Grupa środków"),  QStringLiteral("Lokalizacja"),
                     QStringLiteral("Kod stanowiska"), QStringLiteral("Stanowisko")};
    // An item counts by its newest validity date: a renewed one lapses with its renewal. The
    // tables are read whole and joined by hashing ("+ 0" keeps the engine off the indexes):
    // looking each item up by its key costs a page read per row on a large organisation.
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral(
            "SELECT g.Nazwa, o.Id, o.Kod, o.SkrotNazwa, s.DataWaz "
            "FROM (SELECT IdBHPDane + 0 AS IdBHPDane, MAX(DataWaz) AS DataWaz FROM BHPDane_Sz "
            "WHERE DataWaz + 0 IS NOT NULL GROUP BY 1) s "
            "JOIN BHPDane d ON d.Id + 0 = s.IdBHPDane "
            "JOIN BHPGrupy g ON g.Id + 0 = d.IdBHP + 0 "
            "JOIN OStrukt o ON o.Id + 0 = d.IdStan + 0 "
            "WHERE o.DataUtw + 0 <= :nowdata AND (o.DataUsun >= :nowdata OR o.DataUsun IS NULL) "
            "AND d.DataUsun IS NULL AND g.TypStrukt = 1 AND g.Okresowe = 1 AND s.DataWaz <= :horyzont "
            "ORDER BY 5, 3, 1, 4, 2")))
        DbEngine::raise(q.lastError());
    q.bindValue(QStringLiteral(":nowdata"), today);
    q.bindValue(QStringLiteral(":horyzont"), today.addDays(horizonDays));
    if (!q.exec())
        DbEngine::raise(q.lastError());
    QVector<QVector<QVariant>> undated;
    QVector<int> undatedStations;
    while (q.next()) {
        const QDate valid = q.value(4).toDate();
        // The workstation's ancestors, as the sections print them; the workstation has its own
        // columns.
        const QString path = SectionSheet::locationPath(
            StructureLookup::locationText(lookup.StructurePath(q.value(1).toInt())));
        if (valid == ZeroDate) {
            undated << QVector<QVariant>{QString(),
                                         NoDate,
                                         q.value(0).toString().trimmed(),
                                         path,
                                         q.value(2).toString().trimmed(),
                                         q.value(3).toString().trimmed()};
            undatedStations << q.value(1).toInt();
            continue;
        }
        static const int colours[] = {0xF4B6B6, 0xFFD98C, 0xBFE3B4}; // red, amber, green
        sheet.rowColours << colours[int(band(int(today.daysTo(valid))))];
        sheet.rowStations << q.value(1).toInt();
        sheet.rows << QVector<QVariant>{int(today.daysTo(valid)),        valid,
                                        q.value(0).toString().trimmed(), path,
                                        q.value(2).toString().trimmed(), q.value(3).toString().trimmed()};
    }
    for (int i = 0; i < undated.size(); ++i) {
        sheet.rowColours << 0xD9D9D9; // grey: a date to be entered
        sheet.rows << undated[i];
        sheet.rowStations << undatedStations[i];
    }
    return sheet;
}

namespace {

// The days remaining of a row; false for an item without a date.
bool daysOf(const QVector<QVariant>& row, int& days) {
    if (row.isEmpty() || row[0].metaType().id() != QMetaType::Int)
        return false;
    days = row[0].toInt();
    return true;
}

} // namespace

SectionSheet LapseSheet::within(const SectionSheet& sheet, int days) {
    SectionSheet part;
    part.name = sheet.name;
    part.headers = sheet.headers;
    for (int r = 0; r < sheet.rows.size(); ++r) {
        int left = 0;
        if (daysOf(sheet.rows[r], left) && left > days)
            continue;
        part.rows << sheet.rows[r];
        part.rowColours << sheet.rowColours.value(r, -1);
        part.rowStations << sheet.rowStations.value(r, -1);
    }
    return part;
}

int LapseSheet::lapsingWithin(const SectionSheet& sheet, int days) {
    int count = 0;
    for (const QVector<QVariant>& row : sheet.rows) {
        int left = 0;
        if (daysOf(row, left) && left >= 1 && left <= days)
            ++count;
    }
    return count;
}

} // namespace kolmrap
