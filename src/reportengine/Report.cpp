#include "ReportEngine.h"

#include "BandWalker.h"
#include "PdfRenderer.h"
#include "ReportState.h"

struct Report::State : ReportState {
    using ReportState::ReportState;
};

namespace {

// Collects the printed bands with their texts, for checking a report without a PDF.
class RecordSink : public IBandSink {
public:
    explicit RecordSink(const ReportState& state) : m_state(state), m_design(*state.design) {}

    void printBand(int band, int row) override {
        const BandDesign& b = m_design.bands[band];
        PrintedBand printed;
        printed.band = b.name;
        if (b.kind == BandKind::Detail) {
            printed.dataView = m_design.dataViews[b.dataView].name;
            printed.connection = m_design.dataViews[b.dataView].connection;
            printed.row = row;
        }
        for (int comp : b.components)
            if (m_design.components[comp].hasText())
                printed.texts.append({m_design.components[comp].name, m_state.printedText(comp, row)});
        m_bands << printed;
    }
    void endRepeat(int) override {}

    QVector<PrintedBand> take() { return std::move(m_bands); }

private:
    const ReportState& m_state;
    const ReportDesign& m_design;
    QVector<PrintedBand> m_bands;
};

int viewOfConnection(const ReportDesign& design, const QString& connection) {
    const int view = design.dataViewOfConnection(connection);
    if (view < 0)
        throw ReportEngineError(
            QStringLiteral("Raport %1 nie ma połączenia %2").arg(design.name, connection));
    return view;
}

int componentOf(const ReportDesign& design, const QString& component) {
    const int comp = design.componentIndex(component);
    if (comp < 0)
        throw ReportEngineError(QStringLiteral("Raport %1 nie ma komponentu %2").arg(design.name, component));
    return comp;
}

} // namespace

Report::Report(std::shared_ptr<ReportDesign> design) : m_state(std::make_unique<State>(std::move(design))) {}
Report::~Report() = default;
Report::Report(Report&&) noexcept = default;
Report& Report::operator=(Report&&) noexcept = default;

QString Report::name() const {
    return m_state->design->name;
}

QString Report::title() const {
    return m_state->design->titleText();
}

QString Report::pageName() const {
    return m_state->design->name + QLatin1Char('.') + m_state->design->page.name;
}

QStringList Report::connectionNames() const {
    QStringList names;
    for (const DataViewDesign& view : m_state->design->dataViews)
        names << view.connection;
    return names;
}

void Report::setConnection(const QString& connection, const IRowSet* rows) {
    m_state->rows[viewOfConnection(*m_state->design, connection)] = rows;
}

void Report::setRowHandler(const QString& connection, std::function<void()> handler) {
    m_state->handlers[viewOfConnection(*m_state->design, connection)] = std::move(handler);
}

int Report::currentRow(const QString& connection) const {
    return m_state->currentRow[viewOfConnection(*m_state->design, connection)];
}

bool Report::hasComponent(const QString& component) const {
    return m_state->design->componentIndex(component) >= 0;
}

void Report::setComponentText(const QString& component, const QString& text) {
    const int comp = componentOf(*m_state->design, component);
    if (!m_state->design->components[comp].isSettable())
        throw ReportEngineError(
            QStringLiteral("Raport %1: komponent %2 nie ma tekstu do ustawienia").arg(name(), component));
    m_state->texts[comp] = text;
}

QString Report::componentText(const QString& component) const {
    const int comp = componentOf(*m_state->design, component);
    return m_state->printedText(comp, m_state->design->components[comp].dataView >= 0
                                          ? m_state->currentRow[m_state->design->components[comp].dataView]
                                          : -1);
}

void Report::setBandVisible(const QString& band, bool visible) {
    const int index = m_state->design->bandIndex(band);
    if (index < 0)
        throw ReportEngineError(QStringLiteral("Raport %1 nie ma pasma %2").arg(name(), band));
    m_state->bandVisible[index] = visible;
}

void Report::setRunDate(const QDate& date) {
    m_state->runDate = date;
}

void Report::setCreator(const QString& creator) {
    m_state->creator = creator;
}

void Report::executeToPdf(const QString& path) {
    m_state->lastPageCount = 0;
    m_state->lastPageCount = PdfRenderer::render(*m_state, path);
}

QByteArray Report::executeToPdfBytes() {
    m_state->lastPageCount = 0;
    QByteArray pdf;
    m_state->lastPageCount = PdfRenderer::renderToBytes(*m_state, pdf);
    return pdf;
}

QVector<PrintedBand> Report::executeToRecord() {
    m_state->checkConnections();
    RecordSink sink(*m_state);
    BandWalker(*m_state, sink).run();
    return sink.take();
}

int Report::lastPageCount() const {
    return m_state->lastPageCount;
}

int Report::lastPrintedRows(const QString& connection) const {
    return m_state->printedRows[viewOfConnection(*m_state->design, connection)];
}

void Report::setArchival(bool on) {
    m_state->archival = on;
}
