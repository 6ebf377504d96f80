#include "RunStop.h"

#include "DbEngine.h"
#include "platform/StopSignals.h"

#include <atomic>
#include <chrono>
#include <thread>

#include <ibase.h>

namespace kolmrap {

namespace {

std::atomic<unsigned> g_handle{0};

void cancelRunningStatement() {
    isc_db_handle handle = g_handle.load();
    if (handle == 0)
        return;
    ISC_STATUS_ARRAY status{};
    fb_cancel_operation(status, &handle, fb_cancel_raise);
}

} // namespace

void RunStop::install(int graceMs) {
    StopSignals::install([graceMs] {
        cancelRunningStatement();
        std::this_thread::sleep_for(std::chrono::milliseconds(graceMs));
        // Still running: every file of the run is written whole or not at all, and the run's
        // temporary rows go with its connection, so ending here loses nothing.
        StopSignals::endNow("Przebieg przerwany: program nie zakończył się w czasie\n", 1);
    });
}

bool RunStop::stopRequested() {
    return StopSignals::stopRequested();
}

void RunStop::watchConnection(const QSqlDatabase& db) {
    const unsigned handle = DbEngine::nativeHandle(db);
    g_handle = handle;
    // A signal that came while no statement ran is seen at the next safe point.
    if (handle != 0 && StopSignals::stopRequested())
        cancelRunningStatement();
}

} // namespace kolmrap
