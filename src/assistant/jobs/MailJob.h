#pragma once

#include "Mail.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

namespace kolmasyst {

// Talking to the mail server on a thread of its own, so that the tray and its windows never wait
// for it: the retry of the messages runs left pending, and the settings page's test message. One
// at a time; the outcome is told on the thread that started it. A delivery still running when
// the job goes (the program ends) is stopped and waited for.
class MailJob : public QObject {
    Q_OBJECT
public:
    explicit MailJob(QObject* parent = nullptr);
    ~MailJob() override;

    // Each pending message of the report folders tried once, with [Poczta] of configFile as it
    // is then. False while another delivery runs.
    bool startPending(const QString& configFile, const QStringList& reportFolders, const QDateTime& now);
    // One test message with the settings given (not yet saved). False while another runs.
    bool startTest(const Mail::Settings& settings, const QString& password, const Mail::Message& message);
    bool running() const { return m_thread != nullptr; }
    void wait();

    // The subject and the text of the test message.
    static Mail::Message testMessage(const Mail::Settings& settings);

Q_SIGNALS:
    // A line per message tried ("wysłana", or why not), and why nothing could be tried.
    void pendingDone(const QStringList& lines, const QString& problem);
    void testDone(bool sent, const QString& reply);

private:
    bool start(std::function<void()> work, std::function<void()> done);

    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stop = std::make_shared<std::atomic<bool>>(false);
};

} // namespace kolmasyst
