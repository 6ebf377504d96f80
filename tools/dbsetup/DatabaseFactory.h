#pragma once

#include <QString>
#include <QStringList>

// Creates the suite's Firebird databases: an empty file with the database character set
// WIN1250 and SQL dialect 3, then the schema (and the demo organisation) from the scripts
// that are compiled into the program.
namespace DatabaseFactory {

struct Options {
    // Off for throwaway databases: forced writes make every commit wait for the disk.
    bool forcedWrites = true;
};

// path is a server name: a local file, or "<host>[/<port>]:<path>" created by that server.
// Raises EDBEngineError with the engine's text.
void createEmpty(const QString& path, const Options& options = Options());
// Whether the database answers: a local file that exists, or a database the server opens.
bool exists(const QString& path);
// Removes the database (through its server for a server name).
void drop(const QString& path);
// Creates the database and loads the schema.
void createWithSchema(const QString& path, const Options& options = Options());

// The statements of an SQL script: split at ";" ending a line, "--" comment lines skipped.
QStringList splitScript(const QString& script);
// Runs a script on a database file (one transaction per statement).
void runScript(const QString& databasePath, const QString& script);
QString resourceScript(const QString& name); // "schema.sql", "demo.sql"

} // namespace DatabaseFactory
