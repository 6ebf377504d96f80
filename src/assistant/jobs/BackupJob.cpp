#include "jobs/BackupJob.h"

#include "jobs/DatabaseBackup.h"

#include <QThread>

#include <memory>

namespace kolmasyst {

BackupJob::BackupJob(QString configFile, QString registryPath, const DateConventions& dates, QObject* parent)
    : QObject(parent), m_configFile(std::move(configFile)), m_registryPath(std::move(registryPath)),
      m_dates(dates) {}

BackupJob::~BackupJob() {
    wait();
}

bool BackupJob::start(const QDate& day) {
    if (m_thread)
        return false;
    auto backup = std::make_shared<DatabaseBackup>(m_configFile, m_registryPath, m_dates);
    auto result = std::make_shared<bool>(false);
    m_day = day;
    m_result = result;
    m_thread = QThread::create([backup, result, day] { *result = backup->BackupDatabases(day); });
    connect(m_thread, &QThread::finished, this, [this] { complete(false); });
    m_thread->start();
    return true;
}

void BackupJob::complete(bool waited) {
    if (!m_thread)
        return;
    QThread* thread = m_thread;
    m_thread = nullptr;
    thread->wait();
    // The thread that just told its end is deleted once its signal is over.
    if (waited)
        delete thread;
    else
        thread->deleteLater();
    Q_EMIT finished(m_day, *m_result);
}

void BackupJob::wait() {
    complete(true);
}

} // namespace kolmasyst
