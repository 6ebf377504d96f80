#include "Clock.h"

namespace {
SystemClock g_system;
const IClock* g_clock = nullptr;
} // namespace

namespace Clock {
const IClock& instance() {
    return g_clock ? *g_clock : g_system;
}
void setInstance(const IClock* clock) {
    g_clock = clock;
}
} // namespace Clock
