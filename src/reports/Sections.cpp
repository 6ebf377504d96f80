#include "Sections.h"

#include "SharedSettings.h"

namespace kolmrap {

namespace {

const QString kNazwa = QStringLiteral("NAZWA");

SectionDescription section(Settings::SectionId id, SectionStatements (*statements)(const SelectionTables&),
                           std::int32_t TPrawaDostepu::*right) {
    SectionDescription d;
    d.name = QString::fromLatin1(Settings::SectionKeys[std::size_t(id)]);
    d.index = id;
    d.statements = statements;
    d.right = right;
    // The workstation level shows short names and codes as the display rule writes them.
    d.displayFields[2] = {QStringLiteral("SKROTNAZWA"), QStringLiteral("KOD")};
    return d;
}

QVector<SectionDescription> build() {
    QVector<SectionDescription> out;

    SectionDescription czynnRyz =
        section(Settings::CzynnRyz, &SectionSql::PrepareCzynnRyz, &TPrawaDostepu::WINNE);
    czynnRyz.itemRows = ItemRows::Factors;
    czynnRyz.displayFields[0] = {kNazwa};
    out << czynnRyz;

    SectionDescription termRyz =
        section(Settings::TermRyz, &SectionSql::PrepareTermRyz, &TPrawaDostepu::WINNE);
    termRyz.itemRows = ItemRows::Factors;
    termRyz.displayFields[0] = {kNazwa};
    out << termRyz;

    SectionDescription stanAdm =
        section(Settings::StanAdm, &SectionSql::PrepareStanAdm, &TPrawaDostepu::AWydruk);
    stanAdm.locationLabel = true;
    out << stanAdm;

    SectionDescription pracAdm = section(
        Settings::PracAdm, [](const SelectionTables&) { return SectionSql::PreparePracAdm(); },
        &TPrawaDostepu::AWydruk);
    pracAdm.usesSelection = false;
    pracAdm.structureRows = false;
    const QSet<QString> names{QStringLiteral("NAZWISKO"), QStringLiteral("IMIE")};
    pracAdm.displayFields = {names, names, names};
    out << pracAdm;

    SectionDescription srodRyz =
        section(Settings::SrodRyz, &SectionSql::PrepareSrodRyz, &TPrawaDostepu::WINNE);
    srodRyz.locationLabel = true;
    out << srodRyz;

    SectionDescription wyborDob =
        section(Settings::WyborDob, &SectionSql::PrepareWyborDob, &TPrawaDostepu::DWydruk);
    wyborDob.locationLabel = true;
    out << wyborDob;

    SectionDescription roznDob =
        section(Settings::RoznDob, &SectionSql::PrepareRoznDob, &TPrawaDostepu::DWydruk);
    roznDob.locationLabel = true;
    out << roznDob;

    SectionDescription przetBhp =
        section(Settings::PrzetBhp, &SectionSql::PreparePrzetBhp, &TPrawaDostepu::BWydruk);
    przetBhp.itemRows = ItemRows::Groups;
    przetBhp.expiredItemRule = true;
    out << przetBhp;

    SectionDescription aktualBhp =
        section(Settings::AktualBhp, &SectionSql::PrepareAktualBhp, &TPrawaDostepu::BWydruk);
    aktualBhp.itemRows = ItemRows::Groups;
    aktualBhp.displayFields[0] = {kNazwa};
    out << aktualBhp;

    // In the order of the suite's one list of the sections.
    for (int i = 0; i < out.size(); ++i)
        Q_ASSERT(out[i].index == i);
    Q_ASSERT(out.size() == Settings::SectionCount);
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

} // namespace kolmrap
