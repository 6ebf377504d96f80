#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace kolmasyst {

// Starts the suite's modules, which lie in the programs' folder, and the report generator:
// builds the suite's command line ("kolmryz.exe 0 17") and starts the program it names
// with the arguments that follow the name. A program that cannot be found or started is said
// with the reason; started programs are neither waited for nor tracked.
class ModuleLauncher {
public:
    struct Module {
        QString component;  // menu item
        QString caption;    // its text
        QString executable; // executable text, ending in one blank
    };
    // The five modules in menu order.
    static const QVector<Module>& modules();
    // Classes of the windows by which a running module is recognised.
    static const QStringList ModuleWindowClasses;

    // configArgument: the assistant's own first command-line argument (may be empty).
    ModuleLauncher(QString programFolder, QString configArgument);

    // executable text + (configuration argument, or "0" when it is empty) + " ", then the
    // user's Id when someone is logged in.
    QString commandLine(const QString& executableText, int userId) const;
    // Starts the program named at the start of the command line with the rest as arguments.
    // Returns what went wrong: empty when a process was started.
    QString start(const QString& commandLine) const;

    // "Nie znaleziono programu <name> w folderze <programs' folder> ani na ścieżce PATH."
    QString notFoundMessage(const QString& name) const;
    // "Nie można uruchomić programu <program>." with the system's reason when there is one.
    static QString cannotStartMessage(const QString& program, const QString& reason = QString());

    // The program file for a name of the command line: the name without ".exe" outside
    // Windows, looked for in the programs' folder first and then on the search path; empty
    // when there is none.
    QString resolveProgram(const QString& name) const;

private:
    QString m_programFolder;
    QString m_configArgument;
};

} // namespace kolmasyst
