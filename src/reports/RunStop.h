#pragma once

#include <QSqlDatabase>

namespace kolmrap {

// How a stop signal ends a report run: the statement running at that moment is cancelled, the
// run fails at its next safe point, writes no date of the last report and leaves no data of its
// own behind; a run that does not stop within the grace period is ended.
namespace RunStop {

// Takes the stop signals for the run (call first in main, before any thread exists).
void install(int graceMs);
bool stopRequested();
// The connection whose running statement a signal cancels (an invalid one for none).
void watchConnection(const QSqlDatabase& db);

} // namespace RunStop

} // namespace kolmrap
