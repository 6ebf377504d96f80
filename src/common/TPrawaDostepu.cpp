#include "TPrawaDostepu.h"

#include "SqlQuery.h"

const QStringList& TPrawaDostepu::fieldNames() {
    static const QStringList names{
        QStringLiteral("AZAKL"),        QStringLiteral("ACZYN"),        QStringLiteral("ACZYNSTAN"),
        QStringLiteral("ASWIAD"),       QStringLiteral("AOCHRONY"),     QStringLiteral("APRAWDOPOD"),
        QStringLiteral("AOSOB"),        QStringLiteral("AZAWODY"),      QStringLiteral("ACZYNNOSCI"),
        QStringLiteral("AARCHIWUM"),    QStringLiteral("AWYPADKI"),     QStringLiteral("PSESJA"),
        QStringLiteral("PCHEM"),        QStringLiteral("PPYLY"),        QStringLiteral("PBIOL"),
        QStringLiteral("PHALAS"),       QStringLiteral("POSWIETL"),     QStringLiteral("PDRGAN"),
        QStringLiteral("PPROMIEN"),     QStringLiteral("PELEKTROM"),    QStringLiteral("PMIKROKL"),
        QStringLiteral("PMECH"),        QStringLiteral("PWYBPOZ"),      QStringLiteral("POBCSTAT"),
        QStringLiteral("PMONOTYP"),     QStringLiteral("PWYSFIZ"),      QStringLiteral("POBCPSYCH"),
        QStringLiteral("PSRODOCHR"),    QStringLiteral("PMETPOM"),      QStringLiteral("PWYPADCHOR"),
        QStringLiteral("PDODINFOR"),    QStringLiteral("PPROFMED"),     QStringLiteral("PPROFTECH"),
        QStringLiteral("PPROFORG"),     QStringLiteral("WKARTPOMP"),    QStringLiteral("WKARTPOMS"),
        QStringLiteral("WZESTZBPOM"),   QStringLiteral("WKARTABEZP"),   QStringLiteral("WZ10"),
        QStringLiteral("WINNE"),        QStringLiteral("WSKWPROTPW"),   QStringLiteral("WZESTZBWYP"),
        QStringLiteral("WZESTSTATW"),   QStringLiteral("DDobor"),       QStringLiteral("DWybor"),
        QStringLiteral("DWydruk"),      QStringLiteral("BAdmin"),       QStringLiteral("BStanow"),
        QStringLiteral("BUzytk"),       QStringLiteral("BWydruk"),      QStringLiteral("PPRAD"),
        QStringLiteral("WWydrZal"),     QStringLiteral("RDODCZYNCHEM"), QStringLiteral("RKOPDANERYZ"),
        QStringLiteral("BKOPDANEBHP"),  QStringLiteral("AWydruk"),      QStringLiteral("PUsunSesja"),
        QStringLiteral("RDodLab"),      QStringLiteral("APrzywroc"),    QStringLiteral("ASYNCHO"),
        QStringLiteral("LObieg"),       QStringLiteral("RWlasneKRT"),   QStringLiteral("RWlasneCzynn"),
        QStringLiteral("PWlasneCzynn"), QStringLiteral("POper"),        QStringLiteral("ABlokWypadki"),
        QStringLiteral("AOsobWysw"),    QStringLiteral("RRiskScore"),
    };
    return names;
}

namespace {
// Field pointers in field order, so values and names stay in step.
using Field = std::int32_t TPrawaDostepu::*;
const Field kFields[TPrawaDostepu::FieldCount] = {
    &TPrawaDostepu::AZAKL,        &TPrawaDostepu::ACZYN,        &TPrawaDostepu::ACZYNSTAN,
    &TPrawaDostepu::ASWIAD,       &TPrawaDostepu::AOCHRONY,     &TPrawaDostepu::APRAWDOPOD,
    &TPrawaDostepu::AOSOB,        &TPrawaDostepu::AZAWODY,      &TPrawaDostepu::ACZYNNOSCI,
    &TPrawaDostepu::AARCHIWUM,    &TPrawaDostepu::AWYPADKI,     &TPrawaDostepu::PSESJA,
    &TPrawaDostepu::PCHEM,        &TPrawaDostepu::PPYLY,        &TPrawaDostepu::PBIOL,
    &TPrawaDostepu::PHALAS,       &TPrawaDostepu::POSWIETL,     &TPrawaDostepu::PDRGAN,
    &TPrawaDostepu::PPROMIEN,     &TPrawaDostepu::PELEKTROM,    &TPrawaDostepu::PMIKROKL,
    &TPrawaDostepu::PMECH,        &TPrawaDostepu::PWYBPOZ,      &TPrawaDostepu::POBCSTAT,
    &TPrawaDostepu::PMONOTYP,     &TPrawaDostepu::PWYSFIZ,      &TPrawaDostepu::POBCPSYCH,
    &TPrawaDostepu::PSRODOCHR,    &TPrawaDostepu::PMETPOM,      &TPrawaDostepu::PWYPADCHOR,
    &TPrawaDostepu::PDODINFOR,    &TPrawaDostepu::PPROFMED,     &TPrawaDostepu::PPROFTECH,
    &TPrawaDostepu::PPROFORG,     &TPrawaDostepu::WKARTPOMP,    &TPrawaDostepu::WKARTPOMS,
    &TPrawaDostepu::WZESTZBPOM,   &TPrawaDostepu::WKARTABEZP,   &TPrawaDostepu::WZ10,
    &TPrawaDostepu::WINNE,        &TPrawaDostepu::WSKWPROTPW,   &TPrawaDostepu::WZESTZBWYP,
    &TPrawaDostepu::WZESTSTATW,   &TPrawaDostepu::DDobor,       &TPrawaDostepu::DWybor,
    &TPrawaDostepu::DWydruk,      &TPrawaDostepu::BAdmin,       &TPrawaDostepu::BStanow,
    &TPrawaDostepu::BUzytk,       &TPrawaDostepu::BWydruk,      &TPrawaDostepu::PPRAD,
    &TPrawaDostepu::WWydrZal,     &TPrawaDostepu::RDODCZYNCHEM, &TPrawaDostepu::RKOPDANERYZ,
    &TPrawaDostepu::BKOPDANEBHP,  &TPrawaDostepu::AWydruk,      &TPrawaDostepu::PUsunSesja,
    &TPrawaDostepu::RDodLab,      &TPrawaDostepu::APrzywroc,    &TPrawaDostepu::ASYNCHO,
    &TPrawaDostepu::LObieg,       &TPrawaDostepu::RWlasneKRT,   &TPrawaDostepu::RWlasneCzynn,
    &TPrawaDostepu::PWlasneCzynn, &TPrawaDostepu::POper,        &TPrawaDostepu::ABlokWypadki,
    &TPrawaDostepu::AOsobWysw,    &TPrawaDostepu::RRiskScore,
};
} // namespace

TPrawaDostepu::TPrawaDostepu(const QVector<std::int32_t>& values) {
    for (int i = 0; i < FieldCount && i < values.size(); ++i)
        this->*kFields[i] = values[i];
}

TPrawaDostepu TPrawaDostepu::fromRow(const SqlQuery& row, int count) {
    QVector<std::int32_t> values;
    for (int i = 0; i < count && i < FieldCount; ++i)
        values << row.fieldInt(fieldNames().at(i));
    return TPrawaDostepu(values);
}

std::int32_t TPrawaDostepu::value(int index) const {
    return index >= 0 && index < FieldCount ? this->*kFields[index] : 0;
}
