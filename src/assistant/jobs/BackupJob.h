#pragma once

#include "DateConventions.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <memory>

class QThread;

namespace kolmasyst {

// The backup of the local database files on a thread of its own, so that the tray and its windows
// go on meanwhile: one at a time, its outcome told on the thread that started it. A backup still
// running when the job goes (the program ends) is waited for, so it ends whole or not at all.
class BackupJob : public QObject {
    Q_OBJECT
public:
    // configFile: brel.ini; registryPath: aliases.ini; dates: the program's date conventions, as
    // they are when a backup starts.
    BackupJob(QString configFile, QString registryPath, const DateConventions& dates,
              QObject* parent = nullptr);
    ~BackupJob() override;

    // Starts the backup of day; false while one runs.
    bool start(const QDate& day);
    bool running() const { return m_thread != nullptr; }
    // Waits until a running backup has ended.
    void wait();

Q_SIGNALS:
    void finished(const QDate& day, bool succeeded);

private:
    // Tells the end of the backup once, whether from the thread's end or from wait().
    void complete(bool waited);

    QString m_configFile;
    QString m_registryPath;
    const DateConventions& m_dates;
    QThread* m_thread = nullptr;
    QDate m_day;
    std::shared_ptr<bool> m_result;
};

} // namespace kolmasyst
