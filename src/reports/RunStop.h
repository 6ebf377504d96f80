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
// The connections whose running statements a signal cancels, one per slot: 0 the run's own,
// 1 and 2 those that open the sections ahead (an invalid one for none). Any thread may call it.
constexpr int WatchSlots = 3;
void watchConnection(const QSqlDatabase& db, int slot = 0);

} // namespace RunStop

} // namespace kolmrap
