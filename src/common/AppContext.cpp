#include "AppContext.h"

#include "AliasRegistry.h"
#include "DbEngine.h"
#include "MessageService.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

const QString AppContext::MissingConfigMessage = QStringLiteral("Brak pliku konfiguracyjnego : ");

QString AppContext::chooseConfigFileName(const QStringList& arguments) {
    return CommandLine::parse(arguments).configFileName();
}

AppContext::AppContext(const QString& programFolder, const QStringList& arguments, IMessageService& messages)
    : m_programFolder(QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath())),
      m_commandLine(CommandLine::parse(arguments)), m_messages(messages), m_installation(m_programFolder) {
    // Numbers and dates follow the program's own conventions, never the desktop's locale.
    QLocale::setDefault(QLocale::c());
    m_configFileName = m_commandLine.configFileName();
    const QDir folder(m_programFolder);
    if (!QFileInfo::exists(folder.filePath(m_configFileName))) {
        // The program still starts over "brel.ini" and ends once its event loop runs.
        m_messages.showMessage(MissingConfigMessage + m_configFileName, QString());
        m_configMissing = true;
        requestEnd();
        m_configFileName = QStringLiteral("brel.ini");
    }
    m_settings = std::make_unique<TMyIniFile>(folder.filePath(m_configFileName), m_commandLine.archiveAlias);
    DbEngine::setNetworkControlDirectory(m_programFolder + QLatin1Char('/'));
    m_karty = std::make_unique<SharedConnection>(*m_settings, aliasRegistryPath(), m_messages,
                                                 [this] { requestEnd(); });
}

AppContext::~AppContext() {
    m_karty.reset();
}

QString AppContext::aliasRegistryPath() const {
    return AliasRegistry::defaultPath(m_programFolder);
}
