#pragma once

#include "SectionSheet.h"

#include <QDate>
#include <QSqlDatabase>

namespace kolmrap {

class StructureLookup;

// "Wygasające": the periodic safety items of current workstations (the expired-items section's
// rules) whose newest validity date ends by today + horizonDays, soonest first, with the days
// remaining; an item already expired has 0 or fewer. Raises EDBEngineError.
namespace LapseSheet {

extern const QString Name; // "Wygasające"
// The band of a row's days remaining: expired, 30 days or fewer, later.
enum class Band { Expired, Soon, Later };
Band band(int daysRemaining);

SectionSheet build(const QSqlDatabase& db, StructureLookup& lookup, const QDate& today, int horizonDays);

} // namespace LapseSheet

} // namespace kolmrap
