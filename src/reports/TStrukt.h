#pragma once

#include <QDate>
#include <QString>

namespace kolmrap {

// One node of the organisational structure as loaded from OStrukt.
struct TStrukt {
    int Id = -1;
    int IdRodzStrukt = 0;
    int NrPoz = 0;
    int TypStrukt = 0; // 1 = workstation
    QString Nazwa;
    QString SkrotNazwa;
    QString Kod;
    int Usuniety = 0;
    QDate DataUtw;
    QDate DataUsun;
};

} // namespace kolmrap
