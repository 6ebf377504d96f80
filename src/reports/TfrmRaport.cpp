#include "TfrmRaport.h"

#include "AliasRegistry.h"
#include "AppContext.h"
#include "Clock.h"
#include "Errors.h"
#include "GlobalUtils.h"

TfrmRaport::TfrmRaport(AppContext& app) : m_app(app) {}

bool TfrmRaport::FormCreate() {
    m_dataRaportu = Clock::instance().today();
    m_app.dates().ApplyDateFormat(m_app.settings().ReadSavedSetting(QStringLiteral("GLOBAL"), QStringLiteral("FormDaty")));
    m_zapamietanyAlias = m_app.settings().ReadAliasName();
    try {
        m_succeeded = ProcessDatabases();
    } catch (const std::exception&) {
        m_succeeded = false;
    }
    try {
        m_app.settings().WriteAliasName(m_zapamietanyAlias);
    } catch (const EKolmError&) {
        m_succeeded = false;
    }
    m_app.requestEnd();
    return m_succeeded;
}

bool TfrmRaport::ProcessDatabases() {
    bool result = false;
    QStringList lines;
    m_app.settings().ReadAliasDatabases(lines);
    for (const QString& line : lines) {
        const QString alias = TMyIniFile::aliasOfLine(line);
        if (!IsInterBaseAlias(AliasRegistry(m_app.aliasRegistryPath()), alias))
            continue;
        m_app.settings().WriteAliasName(alias);
        if (!m_app.karty().GetDatabase().isOpen()) {
            // The access message has been shown; the rest of the run stops here.
            m_app.karty().CloseDatabase();
            throw EDBEngineError(SharedConnection::AccessMessage);
        }
        result = true;
        m_app.karty().CloseDatabase();
    }
    return result;
}
