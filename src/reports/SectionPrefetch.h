#pragma once

#include "SectionReport.h"
#include "SectionWriter.h"

#include <QElapsedTimer>
#include <QString>
#include <QVector>

#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kolmrap {

// Opens the sections' queries ahead of the run's thread on connections of their own, two
// sections at once: the engine then works on two cores while the run's thread takes the opened
// sections in their order and hands them to the writers. A lane opens a section only while it
// is at most a few sections ahead of the run's thread, or while the rows fetched and not yet
// taken are few: a long section then does not hold up the lanes behind it, and the fetched
// rows stay bounded.
class SectionPrefetch {
public:
    struct Section {
        const SectionDescription* description = nullptr;
        SectionTiming timing; // its name; the time of its selection and queries are added
    };
    struct Opened {
        std::unique_ptr<SectionReport> report;
        SectionTiming timing;
        std::exception_ptr error; // the section's queries could not be opened
        qint64 rows = 0;          // fetched, at every level
    };
    // Opens one section on a lane's connection, on that lane's own thread.
    using OpenSection = std::function<std::unique_ptr<SectionReport>(
        int lane, const QSqlDatabase& db, const SectionDescription& section, SectionTiming& timing)>;
    // A lane's connection: made and closed on the lane's own thread (what the lane kept on it,
    // such as its temporary tables, goes in the closing).
    using Connect = std::function<QSqlDatabase(int lane)>;
    using Disconnect = std::function<void(int lane)>;

    static constexpr int Lanes = 2;
    static constexpr int Lookahead = 3;
    static constexpr qint64 RowsAhead = 250000;

    SectionPrefetch(QVector<Section> sections, Connect connect, Disconnect disconnect, OpenSection open);
    // Stops the lanes after the section each is opening now.
    ~SectionPrefetch();
    SectionPrefetch(const SectionPrefetch&) = delete;
    SectionPrefetch& operator=(const SectionPrefetch&) = delete;

    // The next section in order, once opened; checkStop is called while waiting.
    Opened take(int index, const std::function<void()>& checkStop);
    // From the start of the lanes to the end of the last section opened so far (the queries'
    // own wall time, for the benchmark).
    qint64 openingMs();

private:
    void lane(int number);

    QVector<Section> m_sections;
    Connect m_connect;
    Disconnect m_disconnect;
    OpenSection m_open;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::unique_ptr<Opened>> m_opened; // by index, until taken
    std::vector<bool> m_ready;
    int m_nextToOpen = 0;
    int m_taken = 0;          // sections the run's thread has taken
    qint64 m_untakenRows = 0; // of the sections opened and not yet taken
    bool m_stopping = false;
    QElapsedTimer m_clock;
    qint64 m_openingMs = 0;
    std::vector<std::thread> m_lanes;
};

} // namespace kolmrap
