#pragma once

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class TMyIniFile;

// The report delivered by e-mail: what [Poczta] says, the messages a run leaves for delivery,
// and their delivery through the mail server with libcurl's SMTP client.
namespace Mail {

enum class Security { None, StartTls, Tls };

struct Settings {
    bool on = false;
    QString server;
    int port = 0; // 0: the security's usual port (25, 587, 465)
    Security security = Security::StartTls;
    QString user;
    QString passwordFile;
    QString sender;
    QStringList recipients;
    QHash<QString, QStringList> unitRecipients; // by unit code
    qint64 pdfLimitBytes = 10 * 1024 * 1024;
    QString caFile;
    int timeoutSeconds = 30;

    static Settings read(const TMyIniFile& ini);
    // What makes delivery impossible as configured (no server, no sender, a bad address), in
    // words for the user; empty when nothing does.
    QString problem() const;
    int effectivePort() const;
    // "smtp://host:port" or "smtps://host:port".
    QString url() const;
};

// The texts of [Poczta] for security: "brak", "STARTTLS", "TLS".
Security securityOf(const QString& text, bool* known = nullptr);
QString securityText(Security security);
// Addresses separated by ";" or ",", blanks trimmed, empty ones left out.
QStringList splitAddresses(const QString& text);
// The first address that is no plain "local@domain" address (no name, no brackets, nothing a
// header could be made of); empty when all are.
QString badAddress(const QStringList& addresses);
// The password from its file (its first line): a regular file that nobody outside its owner and
// group can read, of the configuration file's group, so that a name put into the shared
// configuration never makes a program send another of its user's own files. Else refused, why.
QString readPassword(const QString& file, const QString& configFile, QString* error);
// A header text as RFC 2047 encoded words when it is not plain ASCII.
QByteArray encodedHeader(const QString& text);

struct Attachment {
    QString path;
    QString contentType;
};

// One message of a run to one group of recipients (the organisation's, or one unit's).
struct Message {
    QString id;
    QStringList to;
    QString subject;
    QString body;
    QVector<Attachment> attachments;

    QJsonObject toJson() const;
    static Message fromJson(const QJsonObject& json);
};

// What the server said to one delivery.
struct Outcome {
    bool sent = false;
    QString reply; // the server's last reply, or why there was none
    // The failure came after the message had begun to go: the server may have it.
    bool mayHaveArrived = false;
};

// Delivers one message. stop, asked now and then, ends a delivery at once (as failed). Never
// throws.
Outcome send(const Settings& settings, const QString& password, const Message& message,
             const std::function<bool()>& stop = {});

// The messages of one database's runs, in "<reports folder>/Poczta": one file per message with
// its state, written whole like every other file. A message is sent at most once: it is marked
// as being sent before it goes, and one whose sender died meanwhile is never sent again.
class Outbox {
public:
    // Unknown: its sending was cut off after the message may have reached the server (it is never
    // sent again); GivenUp: refused at every try of a day.
    enum class State { Pending, Sending, Sent, Unknown, GivenUp };
    struct Entry {
        Message message;
        State state = State::Pending;
        int attempts = 0;
        QDateTime created;
        QDateTime lastAttempt;
        QString lastReply;
        QString file;
    };

    explicit Outbox(const QString& reportsFolder);
    static QString folderIn(const QString& reportsFolder); // "<reports>/Poczta"

    // Keeps a run's message as pending. Raises EFileWriteError.
    void add(const Message& message, const QDateTime& now);
    // Every message, oldest first; files that do not read are left out.
    QVector<Entry> entries() const;
    // Tries each pending message once (one not held by another sender); returns what was tried,
    // with its outcome.
    QVector<Entry> deliver(const Settings& settings, const QString& password, const QDateTime& now,
                           const std::function<bool()>& stop = {});
    // Messages older than this many days are forgotten, once they are no longer pending.
    static constexpr int KeptDays = 90;
    // The tries of a message before it is given up (a day of hourly checks).
    static constexpr int MaxAttempts = 24;

private:
    void write(const Entry& entry) const;
    QString m_folder;
};

QString stateText(Outbox::State state);

// The assistant's retry: each pending message of the given report folders tried once, with
// [Poczta] as it is now. problem: why nothing could be tried (delivery off says nothing).
struct Delivery {
    QString reportsFolder;
    Outbox::Entry entry;
};
QVector<Delivery> deliverPending(const TMyIniFile& ini, const QStringList& reportFolders,
                                 const QDateTime& now, const std::function<bool()>& stop, QString* problem);
// The messages of the newest run among the report folders (all made at one moment), oldest
// first; empty when there was none.
QVector<Delivery> lastDelivery(const QStringList& reportFolders);
// Whether a kept message may go as it is: to recipients the configuration names, with
// attachments that are report files of its folder; why not otherwise.
QString refusal(const Settings& settings, const QString& reportsFolder, const Message& message);

} // namespace Mail
