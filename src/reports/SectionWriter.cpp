#include "SectionWriter.h"

#include "SectionReport.h"

#include <QElapsedTimer>

namespace kolmrap {

SectionWriter::SectionWriter(Written written) : m_written(std::move(written)) {}

SectionWriter::~SectionWriter() {
    // An error of this file is not wanted any more: another one is on its way out.
    if (m_writing.valid())
        m_writing.wait();
}

void SectionWriter::finish() {
    if (!m_report)
        return;
    const auto report = std::move(m_report);
    m_timing.renderMs = m_writing.get();
    m_timing.pages = report->pageCount();
    for (int level = 0; level < 3; ++level)
        m_timing.rows += report->rows(level).rowCount();
    if (m_written)
        m_written(m_timing, m_output);
}

void SectionWriter::write(std::unique_ptr<SectionReport> report, const QString& output,
                          const SectionTiming& timing) {
    finish();
    m_report = std::move(report);
    m_output = output;
    m_timing = timing;
    SectionReport* writing = m_report.get();
    m_writing = std::async(std::launch::async, [writing, output] {
        QElapsedTimer timer;
        timer.start();
        writing->executeToPdf(output);
        return timer.elapsed();
    });
}

} // namespace kolmrap
