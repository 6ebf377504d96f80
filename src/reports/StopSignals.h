#pragma once

#include <QSqlDatabase>
#include <QString>

// A shutdown, a service stop or Ctrl-C (SIGTERM, SIGINT, SIGHUP) ends the report run at its
// next safe point: the run then fails, writes no date of the last report and leaves no data of
// its own behind. The signals are taken by a thread of their own, so the database client never
// sees them and never shuts the run's connection down behind its back; the statement running
// at that moment is cancelled, and a run that does not stop within the grace period is ended.
namespace StopSignals {

// Call first in main, before any thread exists: the signals stay blocked in every thread.
void install(int graceMs);
bool stopRequested();
// "SIGTERM", ...; empty while no signal came.
QString signalName();
// The connection whose running statement a signal cancels (an invalid one for none).
void watchConnection(const QSqlDatabase& db);

} // namespace StopSignals
