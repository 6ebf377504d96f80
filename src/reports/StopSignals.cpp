#include "StopSignals.h"

#include "DbEngine.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>
#include <unistd.h>

#include <ibase.h>

namespace {

std::atomic<int> g_signal{0};
std::atomic<unsigned> g_handle{0};

void cancelRunningStatement() {
    isc_db_handle handle = g_handle.load();
    if (handle == 0)
        return;
    ISC_STATUS_ARRAY status{};
    fb_cancel_operation(status, &handle, fb_cancel_raise);
}

} // namespace

void StopSignals::install(int graceMs) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set, graceMs] {
        int number = 0;
        if (sigwait(&set, &number) != 0)
            return;
        g_signal = number;
        cancelRunningStatement();
        std::this_thread::sleep_for(std::chrono::milliseconds(graceMs));
        // Still running: every file of the run is written whole or not at all, and the run's
        // temporary rows go with its connection, so ending here loses nothing.
        static const char text[] = "Przebieg przerwany: program nie zakończył się w czasie\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text, sizeof text - 1);
        ::_exit(1);
    }).detach();
}

bool StopSignals::stopRequested() {
    return g_signal.load() != 0;
}

QString StopSignals::signalName() {
    switch (g_signal.load()) {
    case 0:
        return QString();
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGHUP:
        return QStringLiteral("SIGHUP");
    default:
        return QString::number(g_signal.load());
    }
}

void StopSignals::watchConnection(const QSqlDatabase& db) {
    const unsigned handle = DbEngine::nativeHandle(db);
    g_handle = handle;
    // A signal that came while no statement ran is seen at the next safe point.
    if (handle != 0 && stopRequested())
        cancelRunningStatement();
}
