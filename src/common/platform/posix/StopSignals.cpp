#include "platform/StopSignals.h"

#include "Io.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace {
std::atomic<int> g_signal{0};
} // namespace

void StopSignals::install(std::function<void()> onStop) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set, onStop = std::move(onStop)] {
        int number = 0;
        if (sigwait(&set, &number) != 0)
            return;
        g_signal = number;
        if (onStop)
            onStop();
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

void StopSignals::endNow(const char* text, int status) {
    PosixIo::writeAll(STDERR_FILENO, text, std::strlen(text));
    ::_exit(status);
}
