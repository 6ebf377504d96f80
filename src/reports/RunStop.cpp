#include "RunStop.h"

#include "DbEngine.h"
#include "platform/StopSignals.h"

#include <atomic>
#include <chrono>
#include <thread>

#include <ibase.h>

namespace kolmrap {

namespace {

std::atomic<unsigned> g_handles[RunStop::WatchSlots];

void cancelRunningStatement(std::atomic<unsigned>& slot) {
    isc_db_handle handle = slot.load();
    if (handle == 0)
        return;
    ISC_STATUS_ARRAY status{};
    fb_cancel_operation(status, &handle, fb_cancel_raise);
}

void cancelRunningStatements() {
    for (std::atomic<unsigned>& slot : g_handles)
        cancelRunningStatement(slot);
}

} // namespace

void RunStop::install(int graceMs) {
    StopSignals::install([graceMs] {
        cancelRunningStatements();
        std::this_thread::sleep_for(std::chrono::milliseconds(graceMs));
        // Still running: every file of the run is written whole or not at all, and the run's
        // temporary rows go with its connection, so ending here loses nothing.
        StopSignals::endNow("Przebieg przerwany: program nie zakończył się w czasie\n", 1);
    });
}

bool RunStop::stopRequested() {
    return StopSignals::stopRequested();
}

void RunStop::watchConnection(const QSqlDatabase& db, int slot) {
    Q_ASSERT(slot >= 0 && slot < WatchSlots);
    const unsigned handle = DbEngine::nativeHandle(db);
    g_handles[slot] = handle;
    // A signal that came while no statement ran is seen at the next safe point.
    if (handle != 0 && StopSignals::stopRequested())
        cancelRunningStatement(g_handles[slot]);
}

} // namespace kolmrap
