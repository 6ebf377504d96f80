#pragma once

#include <QString>
#include <QStringList>

// The command line of the suite's programs after the program name, read once into its parts.
// The first argument chooses the configuration file; kolmrap takes the user and the password
// after it. A third argument of exactly "1" also makes the archive alias the active one, as the
// settings store of both programs reads it.
struct CommandLine {
    QStringList arguments;
    QString configuration; // the first argument as given ("" when there is none)
    QString userName;
    QString password;
    bool archiveAlias = false;

    static CommandLine parse(const QStringList& arguments);
    // "brel_<d>.ini" for a first argument "1".."9" exactly, "brel.ini" for anything else.
    QString configFileName() const;
    // The digit passed on to the programs the assistant starts: the first argument, or "0".
    QString digitForPrograms() const;
};
