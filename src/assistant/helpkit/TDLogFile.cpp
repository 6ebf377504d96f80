#include "helpkit/TDLogFile.h"

#include "Clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTextStream>

namespace kolmasyst {

const QString TDLogFile::FileName = QStringLiteral("HHDebug.txt");
const QString TDLogFile::SwitchFileName = QStringLiteral("debug.debug");

bool TDLogFile::debugRequested(const QString& programFolder, const QStringList& arguments) {
    if (QFileInfo::exists(QDir(programFolder).filePath(SwitchFileName)))
        return true;
    for (const QString& argument : arguments) {
        if (argument.compare(QStringLiteral("/debug"), Qt::CaseInsensitive) == 0 ||
            argument.compare(QStringLiteral("-debug"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

TDLogFile::TDLogFile(const QString& programFolder, const QStringList& arguments, const IClock& clock)
    : m_clock(clock), m_debugMode(debugRequested(programFolder, arguments)) {
    if (!m_debugMode)
        return;
    const QStringList lines = m_headerDump ? header(programFolder, arguments) : QStringList();
    m_fileName = QDir(programFolder).filePath(FileName);
    if (writeLines(lines, m_appendMode))
        return;
    m_fileName = QDir(QDir::tempPath()).filePath(FileName);
    if (!writeLines(lines, m_appendMode))
        m_fileName.clear();
}

QStringList TDLogFile::header(const QString& programFolder, const QStringList& arguments) const {
    return {
        QStringLiteral("==== Dziennik systemu pomocy ===="),
        QStringLiteral("Program: ") + QCoreApplication::applicationFilePath(),
        QStringLiteral("Folder programu: ") + programFolder,
        QStringLiteral("Argumenty: ") + arguments.join(QLatin1Char(' ')),
        QStringLiteral("Identyfikator procesu: ") + QString::number(QCoreApplication::applicationPid()),
        QStringLiteral("System: ") + QSysInfo::prettyProductName() + QStringLiteral(", jądro ") +
            QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion() + QStringLiteral(", ") +
            QSysInfo::currentCpuArchitecture(),
        QStringLiteral("Qt: ") + QString::fromLatin1(qVersion()),
        QStringLiteral("Początek: ") + m_clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
        QStringLiteral("================================="),
    };
}

bool TDLogFile::writeLines(const QStringList& lines, bool append) {
    QFile file(m_fileName);
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | QIODevice::Text | (append ? QIODevice::Append : QIODevice::Truncate);
    if (!file.open(mode))
        return false;
    QTextStream out(&file);
    for (const QString& line : lines)
        out << line << '\n';
    out.flush();
    return out.status() == QTextStream::Ok;
}

void TDLogFile::DebugOut(const QString& text) {
    if (!m_debugMode || m_fileName.isEmpty())
        return;
    const QString stamp = m_timeStamps ? m_clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) +
                                             QStringLiteral("  ")
                                       : QString();
    writeLines({stamp + text}, true);
}

} // namespace kolmasyst
