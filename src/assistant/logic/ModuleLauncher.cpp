#include "logic/ModuleLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace kolmasyst {

const QStringList ModuleLauncher::ModuleWindowClasses{QStringLiteral("TfrmStanowiska"),
                                                      QStringLiteral("TRejestrWypForm")};

const QVector<ModuleLauncher::Module>& ModuleLauncher::modules() {
    static const QVector<Module> list{
        {QStringLiteral("kolmAdm"), QStringLiteral("Administracja"), QStringLiteral("kolmadmin.exe ")},
        {QStringLiteral("kolm"), QStringLiteral("Ryzyko"), QStringLiteral("kolmryz.exe ")},
        {QStringLiteral("kolmWyp"), QStringLiteral("Wypadki"), QStringLiteral("kolmwyp.exe ")},
        {QStringLiteral("kolmBHP"), QStringLiteral("BHP"), QStringLiteral("kolmbhp.exe ")},
        {QStringLiteral("kolmDob"), QString::fromUtf8("Dobór"), QStringLiteral("kolmdob.exe ")},
    };
    return list;
}

ModuleLauncher::ModuleLauncher(QString programFolder, QString configArgument)
    : m_programFolder(std::move(programFolder)), m_configArgument(std::move(configArgument)) {}

QString ModuleLauncher::commandLine(const QString& executableText, int userId) const {
    QString command = executableText + (m_configArgument.isEmpty() ? QStringLiteral("0") : m_configArgument) +
                      QLatin1Char(' ');
    if (userId != 0)
        command += QString::number(userId);
    return command;
}

namespace {

// The program's file name for a name of the command line: without ".exe" outside Windows.
QString programFileName(const QString& name) {
    QString fileName = name;
#ifndef Q_OS_WIN
    if (fileName.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        fileName.chop(4);
#endif
    return fileName;
}

} // namespace

QString ModuleLauncher::resolveProgram(const QString& name) const {
    const QString fileName = programFileName(name);
    if (fileName.isEmpty())
        return QString();
    const QFileInfo local(QDir(m_programFolder).filePath(fileName));
    if (local.isFile() && local.isExecutable())
        return local.absoluteFilePath();
    if (fileName.contains(QLatin1Char('/')))
        return QString();
    return QStandardPaths::findExecutable(fileName);
}

QString ModuleLauncher::notFoundMessage(const QString& name) const {
    return QStringLiteral("Nie znaleziono programu %1 w folderze %2 ani na ścieżce PATH.")
        .arg(programFileName(name), QDir::toNativeSeparators(m_programFolder));
}

QString ModuleLauncher::cannotStartMessage(const QString& program, const QString& reason) {
    QString text = QStringLiteral("Nie można uruchomić programu %1.").arg(QDir::toNativeSeparators(program));
    if (!reason.isEmpty())
        text += QStringLiteral(" ") + reason;
    return text;
}

QString ModuleLauncher::start(const QString& commandLine) const {
    // The command line is split as the module's runtime would split it.
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return notFoundMessage(QString());
    const QString name = words.takeFirst();
    const QString program = resolveProgram(name);
    if (program.isEmpty())
        return notFoundMessage(name);
    // The assistant's environment and current folder are inherited.
    QProcess process;
    process.setProgram(program);
    process.setArguments(words);
    if (!process.startDetached())
        return cannotStartMessage(program, process.errorString());
    return QString();
}

} // namespace kolmasyst
