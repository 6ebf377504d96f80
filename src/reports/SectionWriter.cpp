#include "SectionWriter.h"

#include "SectionReport.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <chrono>

namespace kolmrap {

int SectionWriter::threadsToUse() {
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("KOLM_THREADS", &ok);
    if (ok && asked >= 1)
        return std::min(asked, 16);
    return std::clamp(QThread::idealThreadCount(), 1, 4);
}

qint64 SectionWriter::queuedRowsAllowed() {
    bool ok = false;
    const qint64 asked = qEnvironmentVariable("KOLM_QUEUED_ROWS").toLongLong(&ok);
    return ok && asked >= 0 ? asked : 1500000;
}

SectionWriter::SectionWriter(Written written, std::function<void()> checkStop, int threads)
    : m_written(std::move(written)), m_checkStop(std::move(checkStop)), m_threads(std::max(1, threads)) {
    // With one thread the run's own thread writes; otherwise every thread of the run may write
    // once the queries are done.
    if (m_threads > 1)
        for (int i = 0; i < m_threads; ++i)
            m_workers.emplace_back([this] { work(); });
}

SectionWriter::~SectionWriter() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        // Sections not begun are not wanted any more: the run ends without them.
        m_jobs.erase(std::remove_if(m_jobs.begin(), m_jobs.end(),
                                    [](const std::shared_ptr<Job>& j) { return !j->started; }),
                     m_jobs.end());
    }
    m_changed.notify_all();
    for (std::thread& t : m_workers)
        t.join();
}

int SectionWriter::writersAllowed() const {
    return m_producing ? std::max(1, m_threads - 1) : m_threads;
}

void SectionWriter::run(Job& job) {
    QElapsedTimer timer;
    timer.start();
    try {
        job.report->executeToPdf(job.output);
    } catch (...) {
        job.error = std::current_exception();
    }
    job.timing.renderMs = timer.elapsed();
    job.timing.pages = job.report->pageCount();
    job.timing.rows = int(job.report->fetchedRows());
    job.timing.printedRows = job.report->printedRows();
}

void SectionWriter::work() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        std::shared_ptr<Job> next;
        m_changed.wait(lock, [&] {
            if (m_stopping)
                return true;
            if (m_writing >= writersAllowed())
                return false;
            const auto waiting = std::find_if(m_jobs.begin(), m_jobs.end(),
                                              [](const std::shared_ptr<Job>& j) { return !j->started; });
            if (waiting == m_jobs.end())
                return false;
            next = *waiting;
            return true;
        });
        if (m_stopping && !next)
            return;
        if (!next)
            continue;
        next->started = true;
        ++m_writing;
        lock.unlock();
        run(*next);
        // The rows are not needed any more once the file is written.
        const qint64 rows = next->rows;
        lock.lock();
        --m_writing;
        next->done = true;
        m_queuedRows -= rows;
        m_changed.notify_all();
        if (m_stopping)
            return;
    }
}

void SectionWriter::deliver(std::unique_lock<std::mutex>& lock) {
    while (!m_jobs.empty() && m_jobs.front()->done) {
        const std::shared_ptr<Job> job = m_jobs.front();
        m_jobs.pop_front();
        if (job->error) {
            // The sections after a failed one are not begun: the run fails with this error.
            for (auto it = m_jobs.begin(); it != m_jobs.end();) {
                if ((*it)->started) {
                    ++it;
                    continue;
                }
                m_queuedRows -= (*it)->rows;
                it = m_jobs.erase(it);
            }
            std::rethrow_exception(job->error);
        }
        lock.unlock();
        if (m_written)
            m_written(job->timing, job->output);
        lock.lock();
    }
}

void SectionWriter::waitAWhile(std::unique_lock<std::mutex>& lock) {
    m_changed.wait_for(lock, std::chrono::milliseconds(100));
    if (m_checkStop) {
        lock.unlock();
        m_checkStop();
        lock.lock();
    }
}

void SectionWriter::write(std::unique_ptr<SectionReport> report, const QString& output,
                          const SectionTiming& timing) {
    auto job = std::make_shared<Job>();
    job->rows = report->fetchedRows();
    job->report = std::move(report);
    job->output = output;
    job->timing = timing;
    if (m_threads == 1) {
        run(*job);
        if (job->error)
            std::rethrow_exception(job->error);
        if (m_written)
            m_written(job->timing, job->output);
        return;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    deliver(lock);
    // Room in the queue: at least this one section, whatever its size. While the run's thread
    // waits here, every thread writes.
    while (!m_jobs.empty() && m_queuedRows + job->rows > m_maxQueuedRows) {
        m_producing = false;
        m_changed.notify_all();
        waitAWhile(lock);
        deliver(lock);
    }
    m_producing = true;
    m_queuedRows += job->rows;
    m_jobs.push_back(std::move(job));
    m_changed.notify_all();
}

void SectionWriter::finish() {
    if (m_threads == 1)
        return;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_producing = false;
    m_changed.notify_all();
    for (;;) {
        deliver(lock);
        if (m_jobs.empty())
            break;
        waitAWhile(lock);
    }
    m_producing = true;
}

} // namespace kolmrap
