#pragma once

#include <QString>
#include <QStringList>

class AppContext;

namespace kolmasyst {

// The text of the statistics window, built from the configuration file: the last backup and
// report, the databases they cover, and the days the next ones are due.
namespace StatisticsText {

// The lines in order. A stored date or period that does not convert ends the text there:
// error then holds the conversion message (empty when the text is whole).
QStringList build(AppContext& app, QString* error);
// The last delivery of a report by e-mail among the databases in use and its outcome; nothing
// while delivery is off and none was ever tried.
QStringList mailLines(AppContext& app);

} // namespace StatisticsText

} // namespace kolmasyst
