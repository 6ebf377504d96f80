#pragma once

#include <QString>

#include <functional>

// A shutdown, a logout, a service stop or Ctrl-C (SIGTERM, SIGHUP, SIGINT) asks the program to
// end. The signals are taken by a thread of their own, so the database client never sees them
// and never shuts a connection down behind the program's back; the program's handler decides
// what stopping means.
namespace StopSignals {

// Call first in main, before any thread exists: the signals stay blocked in every thread.
// onStop runs once, on the signal thread, when the first of them comes.
void install(std::function<void()> onStop);
bool stopRequested();
// "SIGTERM", ...; empty while no signal came.
QString signalName();
// Ends the process at once with status, after text on standard error: for a program that did not
// stop within its grace period.
[[noreturn]] void endNow(const char* text, int status);

} // namespace StopSignals
