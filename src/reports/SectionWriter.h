#pragma once

#include <QString>
#include <QVector>

#include <functional>
#include <future>
#include <memory>

namespace kolmrap {

class SectionReport;

// Where one section's time went (for the benchmark).
struct SectionTiming {
    QString name;
    qint64 selectionMs = 0; // structure selection and temporary tables
    qint64 openMs = 0;      // the section's queries, opened and fetched
    qint64 renderMs = 0;    // layout and PDF, with the row rules
    qint64 lookupMs = 0;    // of renderMs: reading ancestry tables
    int pages = 0;
    int rows = 0;
};

// Writes each section's PDF on a worker thread while the next section's queries run: a report
// needs no database once its rows are fetched. One file is written at a time; an error of the
// writing comes out of the next call, so the section then counts as failed.
class SectionWriter {
public:
    // Told each file once it is written whole.
    using Written = std::function<void(const SectionTiming& timing, const QString& output)>;

    explicit SectionWriter(Written written);
    // Waits for the file being written, whatever ends the run.
    ~SectionWriter();
    SectionWriter(const SectionWriter&) = delete;
    SectionWriter& operator=(const SectionWriter&) = delete;

    // Finishes the file being written, then starts writing this one.
    void write(std::unique_ptr<SectionReport> report, const QString& output, const SectionTiming& timing);
    // Finishes the file being written; rethrows what went wrong while writing it.
    void finish();

private:
    Written m_written;
    std::unique_ptr<SectionReport> m_report;
    std::future<qint64> m_writing;
    QString m_output;
    SectionTiming m_timing;
};

} // namespace kolmrap
