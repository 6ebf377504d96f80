#pragma once

#include "Clock.h"

#include <QString>
#include <QStringList>

namespace kolmasyst {

// The diagnostic log of the help system, "HHDebug.txt". It is kept only when the file
// "debug.debug" lies in the program's folder or an argument is "/debug" or "-debug" (letter
// case ignored); it then starts with a header that describes the system and the program, and
// every help call is added with a time stamp. It goes into the program's folder, or into the
// system's temporary folder when the program's folder cannot be written.
class TDLogFile {
public:
    static const QString FileName;       // "HHDebug.txt"
    static const QString SwitchFileName; // "debug.debug"

    static bool debugRequested(const QString& programFolder, const QStringList& arguments);

    // arguments: the program's arguments after its name.
    TDLogFile(const QString& programFolder, const QStringList& arguments, const IClock& clock);

    bool DebugMode() const { return m_debugMode; }
    bool TimeStamps() const { return m_timeStamps; }
    bool HeaderDump() const { return m_headerDump; }
    bool AppendMode() const { return m_appendMode; }
    // Where the log is written; empty when it is not kept.
    const QString& fileName() const { return m_fileName; }

    // One line of the log, with a time stamp; nothing when the log is not kept.
    void DebugOut(const QString& text);

private:
    bool writeLines(const QStringList& lines, bool append);
    QStringList header(const QString& programFolder, const QStringList& arguments) const;

    const IClock& m_clock;
    bool m_debugMode = false;
    bool m_timeStamps = true;
    bool m_headerDump = true;
    // Each run starts a new log.
    bool m_appendMode = false;
    QString m_fileName;
};

} // namespace kolmasyst
