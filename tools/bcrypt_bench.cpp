// Shows the cost that new password hashes get on this machine and what one hash costs in time.
#include "BCrypt.h"

#include <QElapsedTimer>

#include <cstdio>

namespace {

double millisecondsFor(int cost) {
    QElapsedTimer timer;
    timer.start();
    TBCrypt::MakeHash(QStringLiteral("Benchmark-Hasło"), cost);
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main() {
    try {
        QElapsedTimer timer;
        timer.start();
        const int measured = TBCrypt::MeasureCost();
        const double measuring = double(timer.nsecsElapsed()) / 1e6;
        const int chosen = measured < 11 ? 11 : measured;
        std::printf("MeasureCost: %d (took %.1f ms); new hashes use cost %d\n", measured, measuring, chosen);
        std::printf("cost %2d: %8.1f ms  (chosen)\n", chosen, millisecondsFor(chosen));
        timer.restart();
        TBCrypt::MakeHash(QStringLiteral("Benchmark-Hasło"));
        std::printf("MakeHash with the measured cost, measuring included: %.1f ms\n",
                    double(timer.nsecsElapsed()) / 1e6);
        for (int cost = 10; cost <= 13; ++cost)
            std::printf("cost %2d: %8.1f ms\n", cost, millisecondsFor(cost));
        return 0;
    } catch (const EKolmError& e) {
        std::fprintf(stderr, "%s\n", e.text().toLocal8Bit().constData());
        return 1;
    }
}
