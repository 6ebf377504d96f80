#pragma once

#include "SectionSheet.h"

#include <QDate>
#include <QSqlDatabase>

namespace kolmrap {

class StructureLookup;

// "Wygasające": the periodic safety items of current workstations (the expired-items section's
// rules) whose newest validity date ends by today + horizonDays, soonest first, with the days
// remaining; an item already expired has 0 or fewer. An item whose date is the old data's zero
// date (1899-12-30) has no date: it is listed apart, after the dated ones, with "brak daty" and
// no days. Raises EDBEngineError.
namespace LapseSheet {

extern const QString Name;   // "Wygasające"
extern const QString NoDate; // "brak daty"
// The date the old data stores for "no date".
const QDate ZeroDate(1899, 12, 30);
// The band of a row's days remaining: expired, 30 days or fewer, later.
enum class Band { Expired, Soon, Later };
Band band(int daysRemaining);

SectionSheet build(const QSqlDatabase& db, StructureLookup& lookup, const QDate& today, int horizonDays);

// The rows of a built sheet that lapse within days (expired and undated ones included).
SectionSheet within(const SectionSheet& sheet, int days);
// The items still valid that lapse within days: 1 to days remaining, as the workbook's amber and
// green rows count them.
int lapsingWithin(const SectionSheet& sheet, int days);

} // namespace LapseSheet

} // namespace kolmrap
