#pragma once

#include <QString>

// Puts the demo organisation next to the programs: the database file, its alias in the
// alias registry and a configuration file that names it, with every report section on.
namespace DemoInstall {

extern const QString DemoAlias; // "kolmdemo"

// Returns the database's server name: database when given (a server's "<host>[/<port>]:<path>"
// or a local file); otherwise, for an installed suite, kolm_demo.fdb in its databases' folder
// through its server, and for a source build <programFolder>/demo/kolm_demo.fdb. An existing
// demo database is kept unless recreate is set. The reports go to the default report root.
QString install(const QString& programFolder, bool recreate, const QString& database = QString());

} // namespace DemoInstall
