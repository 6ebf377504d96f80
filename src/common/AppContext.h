#pragma once

#include "Clock.h"
#include "CommandLine.h"
#include "DateConventions.h"
#include "Installation.h"
#include "MyIniFile.h"
#include "SharedConnection.h"

#include <QString>
#include <QStringList>
#include <memory>

class IMessageService;

// What the shared start-up leaves for the rest of a program: the chosen configuration file
// and its settings store, the programs' folder, the date and number conventions, the shared
// connection, and whether the program was asked to end.
class AppContext {
public:
    // "brel_<d>.ini" for a first argument "1".."9" exactly, "brel.ini" for anything else.
    static QString chooseConfigFileName(const QStringList& arguments);
    static const QString MissingConfigMessage;

    // Runs the shared start-up. arguments: the command line after the program name;
    // programFolder: the folder of the running executable.
    AppContext(const QString& programFolder, const QStringList& arguments, IMessageService& messages);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    const QString& programFolder() const { return m_programFolder; }
    const QStringList& arguments() const { return m_commandLine.arguments; }
    const CommandLine& commandLine() const { return m_commandLine; }
    const QString& configFileName() const { return m_configFileName; }
    QString aliasRegistryPath() const;
    // How the suite is installed: where databases, reports and backups live.
    const Installation& installation() const { return m_installation; }

    TMyIniFile& settings() { return *m_settings; }
    DateConventions& dates() { return m_dates; }
    SharedConnection& karty() { return *m_karty; }
    IMessageService& messages() { return m_messages; }
    // Every reading of the current moment in the program goes through this clock; tests hand
    // in one they move.
    const IClock& clock() const { return *m_clock; }
    void setClock(const IClock& clock) { m_clock = &clock; }

    void requestEnd() { m_endRequested = true; }
    bool endRequested() const { return m_endRequested; }
    // The configuration file named by the command line was missing at start-up.
    bool configMissing() const { return m_configMissing; }

private:
    QString m_programFolder;
    CommandLine m_commandLine;
    IMessageService& m_messages;
    QString m_configFileName;
    Installation m_installation;
    bool m_endRequested = false;
    bool m_configMissing = false;
    std::unique_ptr<TMyIniFile> m_settings;
    DateConventions m_dates;
    SystemClock m_systemClock;
    const IClock* m_clock = &m_systemClock;
    std::unique_ptr<SharedConnection> m_karty;
};
