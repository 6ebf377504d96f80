#include "logic/ReportHistory.h"

#include "AppContext.h"
#include "Installation.h"

#include <QSet>

namespace kolmasyst {

namespace ReportHistory {

QVector<RunHistory::Line> of(AppContext& app, const QString& alias) {
    if (alias.isEmpty())
        return {};
    return RunHistory::read(app.installation().reportsFolder(app.settings(), alias));
}

QVector<Series> series(const QVector<RunHistory::Line>& lines, int runs) {
    QVector<QDate> dates = RunHistory::runDates(lines);
    if (runs > 0 && dates.size() > runs)
        dates = dates.mid(dates.size() - runs);
    const QSet<QDate> shown(dates.cbegin(), dates.cend());
    QVector<Series> out;
    for (const RunHistory::Line& l : lines) {
        if (l.section == RunHistory::LapseLine || l.rows < 0 || !shown.contains(l.date))
            continue;
        auto it =
            std::find_if(out.begin(), out.end(), [&](const Series& s) { return s.section == l.section; });
        if (it == out.end()) {
            out << Series{l.section, {}};
            it = out.end() - 1;
        }
        it->points << qMakePair(l.date, l.rows);
    }
    return out;
}

QString lapseLine(int count) {
    if (count < 0)
        return QString();
    const int tens = count % 100, ones = count % 10;
    if (count == 1)
        return QStringLiteral("1 pozycja wygasa w ciągu 30 dni");
    if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
        return QStringLiteral("%1 pozycje wygasają w ciągu 30 dni").arg(count);
    return QStringLiteral("%1 pozycji wygasa w ciągu 30 dni").arg(count);
}

} // namespace ReportHistory

} // namespace kolmasyst
