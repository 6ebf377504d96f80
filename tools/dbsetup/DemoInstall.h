#pragma once

#include <QString>

// Puts the demo organisation next to the programs: the database file, its alias in the
// alias registry and a configuration file that names it, with every report section on.
namespace DemoInstall {

extern const QString DemoAlias; // "kolmdemo"

// Returns the database path. An existing demo database is kept unless recreate is set.
QString install(const QString& programFolder, bool recreate);

} // namespace DemoInstall
