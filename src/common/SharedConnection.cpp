#include "SharedConnection.h"

#include "AliasRegistry.h"
#include "DbEngine.h"
#include "Errors.h"
#include "MessageService.h"
#include "MyIniFile.h"

const QString SharedConnection::AccessMessage =
    QStringLiteral("Brak dostępu do bazy danych; Skontaktuj się z administratorem \n\r");

SharedConnection::SharedConnection(TMyIniFile& settings, QString aliasRegistryPath, IMessageService& messages,
                                   std::function<void()> requestEnd)
    : m_settings(settings), m_registryPath(std::move(aliasRegistryPath)), m_messages(messages),
      m_requestEnd(std::move(requestEnd)) {}

SharedConnection::~SharedConnection() {
    CloseDatabase();
}

QSqlDatabase SharedConnection::GetDatabase() {
    if (!exists() && !OpenDatabase(nullptr)) {
        m_messages.showMessage(AccessMessage + m_openError, QString());
        if (m_requestEnd)
            m_requestEnd();
    }
    return QSqlDatabase::database(m_connectionName, false);
}

bool SharedConnection::OpenDatabase(QString* error) {
    if (exists()) {
        const bool open = QSqlDatabase::database(m_connectionName, false).isOpen();
        if (!open && error)
            *error = m_openError;
        return open;
    }
    const QString alias = m_aliasOverride.isEmpty() ? m_settings.ReadAliasName() : m_aliasOverride;
    m_connectionName = alias;
    ++m_openCount;
    m_openError.clear();
    try {
        DbEngine::openConnection(AliasRegistry(m_registryPath), alias, m_connectionName);
        return true;
    } catch (const EKolmError& e) {
        m_openError = e.text().isEmpty() ? QStringLiteral("(the engine gave no reason)") : e.text();
    }
    // The unopened connection stays, so that later calls do not try again.
    if (!QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_connectionName);
    if (error)
        *error = m_openError;
    return false;
}

void SharedConnection::CloseDatabase() {
    if (!exists())
        return;
    DbEngine::closeConnection(m_connectionName);
    m_connectionName.clear();
}
