#pragma once

#include <QDate>
#include <QString>

class AppContext;

// The report generator's run over the databases of the configuration file. The program has
// no window: the whole run happens when run() is called, and its outcome decides whether the
// date of the last report is written.
class TfrmRaport {
public:
    explicit TfrmRaport(AppContext& app);

    // The whole run; true when it succeeded.
    bool FormCreate();
    bool succeeded() const { return m_succeeded; }

private:
    bool ProcessDatabases();

    AppContext& m_app;
    QDate m_dataRaportu;
    QString m_zapamietanyAlias;
    bool m_succeeded = false;
};
