#pragma once

#include <QString>

// Puts the demo organisation next to the programs: the database file, its alias in the
// alias registry and a configuration file that names it, with every report section on.
namespace DemoInstall {

extern const QString DemoAlias; // "kolmdemo"

// Returns the database's server name: database when given (a server's "<host>[/<port>]:<path>"
// or a local file), otherwise <programFolder>/demo/kolm_demo.fdb. An existing demo database is
// kept unless recreate is set. The reports go to <programFolder>/demo either way.
QString install(const QString& programFolder, bool recreate, const QString& database = QString());

} // namespace DemoInstall
