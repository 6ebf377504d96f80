#include "SectionReport.h"

#include "Sections.h"
#include "SqlQuery.h"
#include "StructureLookup.h"
#include "TextRules.h"
#include "platform/SafeFile.h"

namespace kolmrap {

namespace {

const QStringList kStructureBands{QStringLiteral("DVStruktBand"), QStringLiteral("DVStruktDataBand"),
                                  QStringLiteral("DVStanBand"), QStringLiteral("DVStanDataBand")};
const QString kGroupBand = QStringLiteral("DVCzynnDataBand");

} // namespace

SectionReport::SectionReport(const ReportProject& project, const Context& context)
    : m_context(context), m_report(project.createReport(context.section->name)) {
    m_report.setRunDate(context.runDate);
    m_report.setCreator(QStringLiteral("kolmrap " KOLM_VERSION));
    m_report.setArchival(context.archival);
    m_previousLocation.clear();
}

int SectionReport::printedRows() const {
    for (int level = 2; level >= 0; --level)
        if (!m_connections[level].isEmpty())
            return m_report.lastPrintedRows(m_connections[level]);
    return 0;
}

int SectionReport::stationOf(const PrintedBand& band) const {
    if (!m_context.section->structureRows || band.row < 0)
        return -1;
    for (int level = 2; level >= 0; --level) {
        if (m_connections[level].isEmpty())
            continue;
        // Only the deepest level's rows are workstations.
        if (m_connections[level].compare(band.connection, Qt::CaseInsensitive) != 0)
            return -1;
        const QVariant id = m_rows[level].raw(band.row, QStringLiteral("ID"));
        return id.isValid() && !id.isNull() ? id.toInt() : -1;
    }
    return -1;
}

void SectionReport::executeToPdf(const QString& path) {
    m_previousLocation.clear();
    // Report folders are shared: a link at the file's name is replaced, never written through.
    SafeFile::replace(path, m_report.executeToPdfBytes(), SafeFile::Links::Replace);
}

void SectionReport::setPolishLetters(bool on) {
    m_context.polishLetters = on;
    for (QueryRowSet& rows : m_rows)
        rows.setSubstitution(!on);
}

QVector<PrintedBand> SectionReport::executeToRecord() {
    m_previousLocation.clear();
    return m_report.executeToRecord();
}

QString SectionReport::connectionName(const QString& queryName, int level) {
    return QStringLiteral("Rv") + queryName + QStringLiteral("Conn") + QString::number(level + 1);
}

void SectionReport::open(const SectionStatements& statements) {
    const SectionDescription& section = *m_context.section;
    QVariantHash params;
    params.insert(QStringLiteral("nowdata"), m_context.runDate);
    params.insert(QStringLiteral("od"), m_context.runDate.startOfDay());
    params.insert(QStringLiteral("do"), SectionSql::sixMonthsLater(m_context.runDate).startOfDay());
    params.insert(QStringLiteral("zerodata"), QDate(1899, 12, 30));
    for (int level = 0; level < statements.queries.size() && level < 3; ++level) {
        const SectionQuery& q = statements.queries[level];
        m_rows[level].open(m_context.db, q.sql, params, section.displayFields[size_t(level)]);
        m_rows[level].setSubstitution(!m_context.polishLetters);
        m_connections[level] = connectionName(q.name, level);
        m_report.setConnection(m_connections[level], &m_rows[level]);
    }
    if (section.expiredItemRule)
        loadNewestDates();
    if (section.itemRows == ItemRows::Factors)
        m_report.setRowHandler(m_connections[0], [this] { onItemRow(); });
    if (section.itemRows == ItemRows::Groups)
        m_report.setRowHandler(m_connections[0], [this] { onGroupRow(); });
    if (section.structureRows)
        m_report.setRowHandler(m_connections[1], [this] { onStructureRow(); });
}

void SectionReport::loadNewestDates() {
    // One look-up for the whole section instead of one query per printed row; removed items
    // count, as the rule wants.
    SqlQuery q(m_context.db);
    q.prepare(QStringLiteral(
        "SELECT BHPDane.IdBHP AS GRUPA, BHPDane.IdStan AS STAN, MAX(BHPDANE_Sz.DataWaz) AS NAJ "
        "FROM BHPDane, BHPDANE_Sz WHERE BHPDane.Id = BHPDANE_Sz.IdBHPDane "
        "AND BHPDANE_Sz.DataWaz IS NOT NULL GROUP BY BHPDane.IdBHP, BHPDane.IdStan"));
    q.open();
    for (; !q.eof(); q.next())
        m_newest.insert({q.fieldInt(QStringLiteral("GRUPA")), q.fieldInt(QStringLiteral("STAN"))},
                        q.fieldDate(QStringLiteral("NAJ")));
}

bool SectionReport::workstationPrinted(int group, int station) const {
    // No date at all counts as the empty date, which is not after the run date.
    const QDate newest = m_newest.value({group, station});
    return !(newest.isValid() && newest > m_context.runDate);
}

QString SectionReport::shown(const QString& text) const {
    return m_context.polishLetters ? text : StripPolishLetters(text);
}

void SectionReport::onItemRow() {
    m_previousLocation.clear();
}

void SectionReport::onGroupRow() {
    const int row = m_report.currentRow(m_connections[0]);
    const QueryRowSet& groups = m_rows[0];
    const int group = groups.intValue(row, QStringLiteral("IDLISTY"));
    if (m_context.section->expiredItemRule) {
        // The group line stays whenever at least one of its workstations is printed.
        bool anyPrinted = false;
        const QueryRowSet& stations = m_rows[1];
        for (int r = 0; r < stations.rowCount() && !anyPrinted; ++r)
            if (stations.intValue(r, QStringLiteral("IDLISTY")) == group)
                anyPrinted = workstationPrinted(group, stations.intValue(r, QStringLiteral("ID")));
        m_report.setBandVisible(kGroupBand, anyPrinted);
        for (const QString& band : kStructureBands)
            m_report.setBandVisible(band, true);
    }
    QString path = m_context.lookup->GroupPath(groups.intValue(row, QStringLiteral("IDRODZSTRUKT")));
    path.chop(5);
    m_report.setComponentText(QStringLiteral("NazwaSrodGr"),
                              shown(groups.raw(row, QStringLiteral("NAZWA")).toString() +
                                    QStringLiteral(" [") + path + QLatin1Char(']')));
    m_previousLocation.clear();
}

void SectionReport::onStructureRow() {
    const SectionDescription& section = *m_context.section;
    const int row = m_report.currentRow(m_connections[1]);
    const QueryRowSet& structure = m_rows[1];
    const int id = structure.intValue(row, QStringLiteral("ID"));
    if (section.expiredItemRule) {
        const bool printed = workstationPrinted(structure.intValue(row, QStringLiteral("IDLISTY")), id);
        for (const QString& band : kStructureBands)
            m_report.setBandVisible(band, printed);
        // A workstation that is not printed must not hide the location of the next one.
        if (!printed)
            return;
    }
    const QString printedLocation = shown(StructureLookup::locationText(m_context.lookup->StructurePath(id)));
    QString& previous = m_previousLocation;
    const bool repeat = printedLocation.isEmpty() || printedLocation == previous;
    m_report.setComponentText(QStringLiteral("OpisElemStrukt"), repeat ? QString() : printedLocation);
    if (section.locationLabel)
        m_report.setComponentText(QStringLiteral("lOpisElemStrukt"),
                                  repeat ? QString() : QStringLiteral("Umiejscowienie:"));
    previous = printedLocation;
}

} // namespace kolmrap
