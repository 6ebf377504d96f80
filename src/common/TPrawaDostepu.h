#pragma once

#include <QStringList>
#include <QVector>
#include <cstdint>

class SqlQuery;

// The rights of the logged-in user: one whole number per rights column of APRAWADOSTEPU; a
// right is held when it is not 0. The assistant fills all 68, the report generator the first
// 58 (its account query names no later column).
class TPrawaDostepu {
public:
    static constexpr int FieldCount = 68;
    static constexpr int ReportGeneratorFieldCount = 58;
    // Column names in field order.
    static const QStringList& fieldNames();

    TPrawaDostepu() = default;
    // Values in field order; fields not given stay 0.
    explicit TPrawaDostepu(const QVector<std::int32_t>& values);
    // Reads the first count rights columns of the query's current row by name (NULL as 0).
    static TPrawaDostepu fromRow(const SqlQuery& row, int count);

    std::int32_t value(int index) const;

    std::int32_t AZAKL = 0;
    std::int32_t ACZYN = 0;
    std::int32_t ACZYNSTAN = 0;
    std::int32_t ASWIAD = 0;
    std::int32_t AOCHRONY = 0;
    std::int32_t APRAWDOPOD = 0;
    std::int32_t AOSOB = 0;
    std::int32_t AZAWODY = 0;
    std::int32_t ACZYNNOSCI = 0;
    std::int32_t AARCHIWUM = 0;
    std::int32_t AWYPADKI = 0;
    std::int32_t PSESJA = 0;
    std::int32_t PCHEM = 0;
    std::int32_t PPYLY = 0;
    std::int32_t PBIOL = 0;
    std::int32_t PHALAS = 0;
    std::int32_t POSWIETL = 0;
    std::int32_t PDRGAN = 0;
    std::int32_t PPROMIEN = 0;
    std::int32_t PELEKTROM = 0;
    std::int32_t PMIKROKL = 0;
    std::int32_t PMECH = 0;
    std::int32_t PWYBPOZ = 0;
    std::int32_t POBCSTAT = 0;
    std::int32_t PMONOTYP = 0;
    std::int32_t PWYSFIZ = 0;
    std::int32_t POBCPSYCH = 0;
    std::int32_t PSRODOCHR = 0;
    std::int32_t PMETPOM = 0;
    std::int32_t PWYPADCHOR = 0;
    std::int32_t PDODINFOR = 0;
    std::int32_t PPROFMED = 0;
    std::int32_t PPROFTECH = 0;
    std::int32_t PPROFORG = 0;
    std::int32_t WKARTPOMP = 0;
    std::int32_t WKARTPOMS = 0;
    std::int32_t WZESTZBPOM = 0;
    std::int32_t WKARTABEZP = 0;
    std::int32_t WZ10 = 0;
    std::int32_t WINNE = 0;
    std::int32_t WSKWPROTPW = 0;
    std::int32_t WZESTZBWYP = 0;
    std::int32_t WZESTSTATW = 0;
    std::int32_t DDobor = 0;
    std::int32_t DWybor = 0;
    std::int32_t DWydruk = 0;
    std::int32_t BAdmin = 0;
    std::int32_t BStanow = 0;
    std::int32_t BUzytk = 0;
    std::int32_t BWydruk = 0;
    std::int32_t PPRAD = 0;
    std::int32_t WWydrZal = 0;
    std::int32_t RDODCZYNCHEM = 0;
    std::int32_t RKOPDANERYZ = 0;
    std::int32_t BKOPDANEBHP = 0;
    std::int32_t AWydruk = 0;
    std::int32_t PUsunSesja = 0;
    std::int32_t RDodLab = 0;
    std::int32_t APrzywroc = 0;
    std::int32_t ASYNCHO = 0;
    std::int32_t LObieg = 0;
    std::int32_t RWlasneKRT = 0;
    std::int32_t RWlasneCzynn = 0;
    std::int32_t PWlasneCzynn = 0;
    std::int32_t POper = 0;
    std::int32_t ABlokWypadki = 0;
    std::int32_t AOsobWysw = 0;
    std::int32_t RRiskScore = 0;
};
