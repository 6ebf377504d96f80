#pragma once

#include "RunHistory.h"

#include <QDate>
#include <QString>
#include <QVector>

class AppContext;

namespace kolmasyst {

// What the assistant shows of the history of the active database's runs: the chart's series and
// the line of items lapsing soon.
namespace ReportHistory {

// The runs the chart shows unless more are asked for.
constexpr int DefaultRuns = 24;

struct Series {
    QString section;
    QVector<QPair<QDate, int>> points; // oldest first
};

// The history of alias's runs, where kolmrap writes its reports.
QVector<RunHistory::Line> of(AppContext& app, const QString& alias);
// The rows of each section over the last runs (all for runs <= 0), in the order the sections
// first appear; a section missing from a run has no point there.
QVector<Series> series(const QVector<RunHistory::Line>& lines, int runs);
// "<n> pozycji wygasa w ciągu 30 dni" (with the forms of 1 and of 2 to 4); empty for n < 0.
QString lapseLine(int count);

} // namespace ReportHistory

} // namespace kolmasyst
