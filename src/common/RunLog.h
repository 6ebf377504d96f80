#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// What the last run of kolmrap said, line by line, for the assistant that started it: written by
// kolmrap when its run ends, into the user's private runtime folder (each user's runs are their
// own; nobody else can place or read the file), one file per configuration file.
namespace RunLog {

// Empty when the user has no private folder.
QString path(const QString& configFileName);
// Replaces the log whole; a log that cannot be written is no reason to fail the run.
void write(const QString& configFileName, const QStringList& lines);

struct Entry {
    bool found = false;
    QDateTime written;
    QStringList lines;
};
Entry read(const QString& configFileName);

} // namespace RunLog
