#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVector>

#include <functional>

// "Historia.csv" beside a database's reports: per run and section the rows, and, with the
// workbook, how many were new and resolved; per run one line "Wygasające" with the periodic
// items lapsing within 30 and within 90 days. UTF-8, a header line, ";" between fields. A second
// run on one day replaces that day's lines.
namespace RunHistory {

extern const QString FileName;  // "Historia.csv"
extern const QString LapseLine; // "Wygasające"
extern const QString Header;

// A number not known (no workbook, no earlier workbook) is -1 and written as an empty field.
struct Line {
    QDate date;
    QString section;
    int rows = -1;
    int newRows = -1;
    int resolved = -1;
    int lapsing30 = -1;
    int lapsing90 = -1;

    bool operator==(const Line& other) const;
};

using Warning = std::function<void(const QString&)>;

// The lines of a history file's content; a damaged line is skipped and told once to warn (and
// kept as it was in damaged, when asked).
QVector<Line> parse(const QByteArray& content, const Warning& warn = {}, QStringList* damaged = nullptr);
// damaged: lines kept as they were, after the others, for the user to mend.
QByteArray format(const QVector<Line>& lines, const QStringList& damaged = {});
// earlier with the lines of the dates of run replaced by run, oldest date first.
QVector<Line> merged(const QVector<Line>& earlier, const QVector<Line>& run);

// The history of a database's reports folder; empty when there is none.
QString pathIn(const QString& reportsFolder);
QVector<Line> read(const QString& reportsFolder, const Warning& warn = {});
// Adds a run's lines, under a lock that the other writers of the folder take too, written
// whole or not at all; damaged lines stay, at the end. Raises EFileWriteError.
void record(const QString& reportsFolder, const QVector<Line>& run, const Warning& warn = {});

// The run dates in order, oldest first.
QVector<QDate> runDates(const QVector<Line>& lines);
// The items lapsing within 30 days at the newest run; -1 when no run says.
int lapsingSoon(const QVector<Line>& lines);

} // namespace RunHistory
