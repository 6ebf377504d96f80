#include "jobs/MailJob.h"

#include "Errors.h"
#include "MyIniFile.h"

#include <QThread>

namespace kolmasyst {

MailJob::MailJob(QObject* parent) : QObject(parent) {}

MailJob::~MailJob() {
    m_stop->store(true);
    wait();
    // Its end may not have been told yet (the program ends meanwhile).
    delete m_thread;
}

void MailJob::wait() {
    if (m_thread)
        m_thread->wait();
}

bool MailJob::start(std::function<void()> work, std::function<void()> done) {
    if (m_thread)
        return false;
    m_stop->store(false);
    m_thread = QThread::create(std::move(work));
    connect(m_thread, &QThread::finished, this, [this, done = std::move(done)] {
        m_thread->deleteLater();
        m_thread = nullptr;
        done();
    });
    m_thread->start();
    return true;
}

bool MailJob::startPending(const QString& configFile, const QStringList& reportFolders,
                           const QDateTime& now) {
    struct Result {
        QStringList lines;
        QString problem;
    };
    auto result = std::make_shared<Result>();
    auto stop = m_stop;
    return start(
        [=] {
            const TMyIniFile ini(configFile);
            for (const Mail::Delivery& d : Mail::deliverPending(
                     ini, reportFolders, now, [stop] { return stop->load(); }, &result->problem))
                result->lines << QStringLiteral("%1 – %2: %3")
                                     .arg(d.entry.message.subject, Mail::stateText(d.entry.state),
                                          d.entry.lastReply);
        },
        [this, result] { Q_EMIT pendingDone(result->lines, result->problem); });
}

bool MailJob::startTest(const Mail::Settings& settings, const QString& password,
                        const Mail::Message& message) {
    auto outcome = std::make_shared<Mail::Outcome>();
    auto stop = m_stop;
    return start(
        [=] {
            try {
                *outcome = Mail::send(settings, password, message, [stop] { return stop->load(); });
            } catch (const std::exception& e) {
                *outcome = Mail::Outcome{false, QString::fromLocal8Bit(e.what())};
            }
        },
        [this, outcome] { Q_EMIT testDone(outcome->sent, outcome->reply); });
}

Mail::Message MailJob::testMessage(const Mail::Settings& settings) {
    Mail::Message m;
    m.id = QStringLiteral("proba");
    m.to = settings.recipients.isEmpty() ? QStringList{settings.sender} : settings.recipients;
    m.subject = QStringLiteral("Wiadomość próbna asystenta systemu KOLM");
    m.body = QStringLiteral("To jest wiadomość próbna wysłana z ustawień asystenta systemu KOLM.\n"
                            "Jeśli ją czytasz, raporty będą docierać pod ten adres.\n");
    return m;
}

} // namespace kolmasyst
