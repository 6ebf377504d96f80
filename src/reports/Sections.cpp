#include "Sections.h"

namespace {

const QString kNazwa = QStringLiteral("NAZWA");

SectionDescription section(const char* name, SectionStatements (*statements)(const SelectionTables&),
                           std::int32_t TPrawaDostepu::*right) {
    SectionDescription d;
    d.name = QString::fromLatin1(name);
    d.statements = statements;
    d.right = right;
    // The workstation level shows short names and codes as the display rule writes them.
    d.displayFields[2] = {QStringLiteral("SKROTNAZWA"), QStringLiteral("KOD")};
    return d;
}

QVector<SectionDescription> build() {
    QVector<SectionDescription> out;

    SectionDescription czynnRyz = section("CzynnRyz", &SectionSql::PrepareCzynnRyz, &TPrawaDostepu::WINNE);
    czynnRyz.itemRows = ItemRows::Factors;
    czynnRyz.displayFields[0] = {kNazwa};
    out << czynnRyz;

    SectionDescription termRyz = section("TermRyz", &SectionSql::PrepareTermRyz, &TPrawaDostepu::WINNE);
    termRyz.itemRows = ItemRows::Factors;
    termRyz.displayFields[0] = {kNazwa};
    out << termRyz;

    SectionDescription stanAdm = section("StanAdm", &SectionSql::PrepareStanAdm, &TPrawaDostepu::AWydruk);
    stanAdm.locationLabel = true;
    out << stanAdm;

    SectionDescription pracAdm = section(
        "PracAdm", [](const SelectionTables&) { return SectionSql::PreparePracAdm(); },
        &TPrawaDostepu::AWydruk);
    pracAdm.usesSelection = false;
    pracAdm.structureRows = false;
    const QSet<QString> names{QStringLiteral("NAZWISKO"), QStringLiteral("IMIE")};
    pracAdm.displayFields = {names, names, names};
    out << pracAdm;

    SectionDescription srodRyz = section("SrodRyz", &SectionSql::PrepareSrodRyz, &TPrawaDostepu::WINNE);
    srodRyz.locationLabel = true;
    out << srodRyz;

    SectionDescription wyborDob = section("WyborDob", &SectionSql::PrepareWyborDob, &TPrawaDostepu::DWydruk);
    wyborDob.locationLabel = true;
    out << wyborDob;

    SectionDescription roznDob = section("RoznDob", &SectionSql::PrepareRoznDob, &TPrawaDostepu::DWydruk);
    roznDob.locationLabel = true;
    out << roznDob;

    SectionDescription przetBhp = section("PrzetBhp", &SectionSql::PreparePrzetBhp, &TPrawaDostepu::BWydruk);
    przetBhp.itemRows = ItemRows::Groups;
    przetBhp.expiredItemRule = true;
    out << przetBhp;

    SectionDescription aktualBhp =
        section("AktualBhp", &SectionSql::PrepareAktualBhp, &TPrawaDostepu::BWydruk);
    aktualBhp.itemRows = ItemRows::Groups;
    aktualBhp.displayFields[0] = {kNazwa};
    out << aktualBhp;

    for (int i = 0; i < out.size(); ++i)
        out[i].index = i;
    return out;
}

} // namespace

const QVector<SectionDescription>& Sections::all() {
    static const QVector<SectionDescription> sections = build();
    return sections;
}

const SectionDescription* Sections::find(const QString& name) {
    for (const SectionDescription& s : all())
        if (s.name == name)
            return &s;
    return nullptr;
}
