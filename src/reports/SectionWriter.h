#pragma once

#include <QString>
#include <QVector>

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

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
    int rows = 0;        // fetched, at every level
    int printedRows = 0; // lines of the deepest level printed
};

// Writes the sections' PDFs on threads of their own while the next sections' queries run: a
// report needs no database once its rows are fetched. Fetched sections wait in a queue for the
// next free writer; while the queries go on, one thread fewer writes than the run may use, so
// the queries keep a core of their own, and once they are done (or wait for room in the queue)
// every thread writes. The queue holds at most so many fetched rows: the queries wait for room
// rather than the memory growing. Files are told as written in the order the sections came,
// from the calls of the run's own thread; an error of a writing comes out of the next call, so
// the run then stops writing sections and fails.
class SectionWriter {
public:
    // Told each file once it is written whole.
    using Written = std::function<void(const SectionTiming& timing, const QString& output)>;

    // The threads the run may use (KOLM_THREADS, or the processor's cores, at most four); with
    // one, each section is written at once on the calling thread.
    static int threadsToUse();
    // Fetched rows the queue holds at most, besides the one section always let in
    // (KOLM_QUEUED_ROWS for a smaller machine, or a test).
    static qint64 queuedRowsAllowed();

    // checkStop is called now and then while the run's thread waits for the writers; what it
    // throws (a stop of the run) comes out of write or finish.
    explicit SectionWriter(Written written, std::function<void()> checkStop = {},
                           int threads = threadsToUse());
    // Waits for the files being written, whatever ends the run; sections not yet begun are
    // dropped.
    ~SectionWriter();
    SectionWriter(const SectionWriter&) = delete;
    SectionWriter& operator=(const SectionWriter&) = delete;

    // Queues this section (waiting while the queue is full); tells the files written so far.
    void write(std::unique_ptr<SectionReport> report, const QString& output, const SectionTiming& timing);
    // Waits for every queued section and tells its file; rethrows what went wrong writing one.
    void finish();

private:
    struct Job {
        std::unique_ptr<SectionReport> report;
        QString output;
        SectionTiming timing;
        qint64 rows = 0;
        bool started = false;
        bool done = false;
        std::exception_ptr error;
    };

    void work();
    static void run(Job& job);
    // How many threads may write now.
    int writersAllowed() const;
    // Tells the files done at the front of the queue, in order; rethrows the first error.
    // Called with the lock held; releases it while telling.
    void deliver(std::unique_lock<std::mutex>& lock);

    // Waits for a change, at most a moment, and lets the run stop meanwhile.
    void waitAWhile(std::unique_lock<std::mutex>& lock);

    Written m_written;
    std::function<void()> m_checkStop;
    const int m_threads;
    const qint64 m_maxQueuedRows = queuedRowsAllowed();
    std::vector<std::thread> m_workers;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::shared_ptr<Job>> m_jobs; // in the order the sections came, until told
    qint64 m_queuedRows = 0;                 // rows of the sections not yet written
    int m_writing = 0;
    bool m_producing = true; // false while the run's thread waits or has no more sections
    bool m_stopping = false;
};

} // namespace kolmrap
