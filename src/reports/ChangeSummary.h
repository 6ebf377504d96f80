#pragma once

#include "SectionSheet.h"

#include <QDate>
#include <QString>

namespace kolmrap {

// "Podsumowanie", the workbook's first sheet: per section its rows, and how many are new and how
// many were resolved since the newest earlier workbook of the same database.
namespace ChangeSummary {

extern const QString Name; // "Podsumowanie"

// The newest "Raport<yyyy-MM-dd>.xlsx" of folder dated before runDate; empty when there is none.
QString newestEarlier(const QString& folder, const QDate& runDate);

// earlier: the earlier workbook, empty for none. One that cannot be read is said in the sheet
// and the comparison is skipped.
SectionSheet build(const QVector<SectionSheet>& sections, const QString& earlier);

} // namespace ChangeSummary

} // namespace kolmrap
