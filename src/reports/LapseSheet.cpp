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
    // An item counts by its newest validity date: a renewed one lapses with its renewal.
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral(
            "SELECT BHPGrupy.Nazwa, OStrukt.Id, OStrukt.Kod, OStrukt.SkrotNazwa, MAX(BHPDane_Sz.DataWaz) AS "
            "DataWaz "
            "FROM OStrukt, BHPDane, BHPDane_Sz, BHPGrupy "
            "WHERE (OStrukt.DataUtw <= :nowdata AND (OStrukt.DataUsun >= :nowdata OR OStrukt.DataUsun IS "
            "NULL)) "
            "AND OStrukt.Id = BHPDane.IdStan AND BHPDane.DataUsun IS NULL AND BHPDane.Id = "
            "BHPDane_Sz.IdBHPDane "
            "AND BHPDane_Sz.DataWaz IS NOT NULL AND BHPDane.IdBHP = BHPGrupy.Id AND BHPGrupy.TypStrukt = 1 "
            "AND BHPGrupy.Okresowe = 1 "
            "GROUP BY BHPDane.Id, BHPGrupy.Nazwa, OStrukt.Id, OStrukt.Kod, OStrukt.SkrotNazwa "
            "HAVING MAX(BHPDane_Sz.DataWaz) <= :horyzont "
            "ORDER BY 5, 3, 1")))
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
