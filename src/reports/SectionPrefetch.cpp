#include "SectionPrefetch.h"

#include <chrono>

namespace kolmrap {

SectionPrefetch::SectionPrefetch(QVector<Section> sections, Connect connect, Disconnect disconnect,
                                 OpenSection open)
    : m_sections(std::move(sections)), m_connect(std::move(connect)), m_disconnect(std::move(disconnect)),
      m_open(std::move(open)), m_opened(size_t(m_sections.size())),
      m_ready(size_t(m_sections.size()), false) {
    m_clock.start();
    for (int i = 0; i < Lanes && i < m_sections.size(); ++i)
        m_lanes.emplace_back([this, i] { lane(i); });
}

SectionPrefetch::~SectionPrefetch() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread& t : m_lanes)
        t.join();
}

void SectionPrefetch::lane(int number) {
    QSqlDatabase db;
    std::exception_ptr connectError;
    try {
        db = m_connect(number);
    } catch (...) {
        connectError = std::current_exception();
    }
    for (;;) {
        int index = -1;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [&] {
                return m_stopping || m_nextToOpen >= m_sections.size() ||
                       m_nextToOpen < m_taken + Lookahead || m_untakenRows < RowsAhead;
            });
            if (m_stopping || m_nextToOpen >= m_sections.size())
                break;
            index = m_nextToOpen++;
        }
        auto opened = std::make_unique<Opened>();
        opened->timing = m_sections[index].timing;
        if (connectError) {
            opened->error = connectError;
        } else {
            try {
                opened->report = m_open(number, db, *m_sections[index].description, opened->timing);
            } catch (...) {
                opened->error = std::current_exception();
            }
        }
        opened->rows = opened->report ? opened->report->fetchedRows() : 0;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_untakenRows += opened->rows;
            m_opened[size_t(index)] = std::move(opened);
            m_ready[size_t(index)] = true;
            m_openingMs = m_clock.elapsed();
        }
        m_changed.notify_all();
    }
    // No handle of the connection may outlive it.
    db = QSqlDatabase();
    if (!connectError)
        m_disconnect(number);
}

qint64 SectionPrefetch::openingMs() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_openingMs;
}

SectionPrefetch::Opened SectionPrefetch::take(int index, const std::function<void()>& checkStop) {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_ready[size_t(index)]) {
        m_changed.wait_for(lock, std::chrono::milliseconds(100));
        if (checkStop) {
            lock.unlock();
            checkStop();
            lock.lock();
        }
    }
    Opened opened = std::move(*m_opened[size_t(index)]);
    m_opened[size_t(index)].reset();
    m_taken = index + 1;
    m_untakenRows -= opened.rows;
    lock.unlock();
    m_changed.notify_all();
    return opened;
}

} // namespace kolmrap
