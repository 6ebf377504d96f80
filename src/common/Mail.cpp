#include "Mail.h"

#include "Errors.h"
#include "MyIniFile.h"
#include "SharedSettings.h"
#include "platform/FileLock.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QRegularExpression>
#include <QUuid>

#include <curl/curl.h>

#include <cstring>
#include <mutex>

namespace Mail {

namespace {

QString mailValue(const TMyIniFile& ini, const ::Settings::Key& key) {
    const QString v = ::Settings::read(ini, key);
    return v == TMyIniFile::Missing ? QString() : v.trimmed();
}

int number(const QString& text, int fallback) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n > 0 ? n : fallback;
}

} // namespace

Security securityOf(const QString& text, bool* known) {
    const QString t = text.trimmed().toUpper();
    if (known)
        *known = true;
    if (t == QLatin1String("BRAK"))
        return Security::None;
    if (t == QLatin1String("TLS"))
        return Security::Tls;
    if (known)
        *known = t.isEmpty() || t == QLatin1String("STARTTLS");
    return Security::StartTls;
}

QString securityText(Security security) {
    switch (security) {
    case Security::None:
        return QStringLiteral("brak");
    case Security::Tls:
        return QStringLiteral("TLS");
    case Security::StartTls:
        break;
    }
    return QStringLiteral("STARTTLS");
}

QStringList splitAddresses(const QString& text) {
    QStringList out;
    for (const QString& part : text.split(QRegularExpression(QStringLiteral("[;,]"))))
        if (!part.trimmed().isEmpty())
            out << part.trimmed();
    return out;
}

QString badAddress(const QStringList& addresses) {
    static const QRegularExpression plain(
        QStringLiteral("^[A-Za-z0-9.!#$%&'*+/=?^_`{|}~-]+@[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?"
                       "(?:\\.[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?)*$"));
    for (const QString& a : addresses)
        if (a.size() > 254 || !plain.match(a).hasMatch() || a.startsWith(QLatin1Char('.')) ||
            a.contains(QStringLiteral("..")))
            return a;
    return QString();
}

Settings Settings::read(const TMyIniFile& ini) {
    Settings s;
    s.on = mailValue(ini, ::Settings::MailOn) == QLatin1String("T");
    s.server = mailValue(ini, ::Settings::MailServer);
    s.port = number(mailValue(ini, ::Settings::MailPort), 0);
    s.security = securityOf(mailValue(ini, ::Settings::MailSecurity));
    s.user = mailValue(ini, ::Settings::MailUser);
    s.passwordFile = mailValue(ini, ::Settings::MailPasswordFile);
    s.sender = mailValue(ini, ::Settings::MailSender);
    s.recipients = splitAddresses(mailValue(ini, ::Settings::MailRecipients));
    const QString limit = mailValue(ini, ::Settings::MailPdfLimit);
    bool ok = false;
    const double mb = limit.toDouble(&ok);
    if (ok && mb >= 0)
        s.pdfLimitBytes = qint64(mb * 1024 * 1024);
    s.caFile = mailValue(ini, ::Settings::MailCaFile);
    s.timeoutSeconds = number(mailValue(ini, ::Settings::MailTimeout), 30);
    // "POCZTA.Jednostka.<code>.Str=..." lines.
    const QString prefix = QStringLiteral("POCZTA.Jednostka.");
    for (const QString& line : ini.ReadMailSection()) {
        const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
        if (!key.startsWith(prefix) || !key.endsWith(QStringLiteral(".Str")))
            continue;
        const QString code = key.mid(prefix.size(), key.size() - prefix.size() - 4);
        const QStringList to = splitAddresses(line.section(QLatin1Char('='), 1));
        if (!code.isEmpty() && !to.isEmpty())
            s.unitRecipients.insert(code, to);
    }
    return s;
}

QString Settings::problem() const {
    if (server.isEmpty())
        return QStringLiteral("nie podano serwera poczty");
    if (server.contains(QRegularExpression(QStringLiteral("[\\s/@]"))))
        return QStringLiteral("nazwa serwera poczty \"%1\" jest błędna").arg(server.left(80));
    if (sender.isEmpty())
        return QStringLiteral("nie podano nadawcy");
    if (!badAddress({sender}).isEmpty())
        return QStringLiteral("błędny adres nadawcy: \"%1\"").arg(sender.left(80));
    if (!badAddress(recipients).isEmpty())
        return QStringLiteral("błędny adres odbiorcy: \"%1\"").arg(badAddress(recipients).left(80));
    for (auto it = unitRecipients.cbegin(); it != unitRecipients.cend(); ++it)
        if (!badAddress(it.value()).isEmpty())
            return QStringLiteral("błędny adres odbiorcy jednostki %1: \"%2\"")
                .arg(it.key().left(40), badAddress(it.value()).left(80));
    if (!user.isEmpty() && passwordFile.isEmpty())
        return QStringLiteral("nie podano pliku z hasłem użytkownika %1").arg(user.left(80));
    // A password goes over the network only encrypted; on this machine it never leaves it.
    const bool local = server == QLatin1String("localhost") || server == QLatin1String("127.0.0.1") ||
                       server == QLatin1String("::1");
    if (!user.isEmpty() && security == Security::None && !local)
        return QStringLiteral("logowanie bez zabezpieczenia (brak) wysłałoby hasło otwartym tekstem: wybierz "
                              "STARTTLS albo TLS");
    return QString();
}

int Settings::effectivePort() const {
    if (port > 0)
        return port;
    switch (security) {
    case Security::None:
        return 25;
    case Security::Tls:
        return 465;
    case Security::StartTls:
        break;
    }
    return 587;
}

QString Settings::url() const {
    return QStringLiteral("%1://%2:%3")
        .arg(security == Security::Tls ? QStringLiteral("smtps") : QStringLiteral("smtp"), server)
        .arg(effectivePort());
}

QString readPassword(const QString& file, const QString& configFile, QString* error) {
    const QFileInfo info(file);
    if (file.isEmpty() || !info.exists()) {
        *error = QStringLiteral("nie ma pliku z hasłem %1").arg(file);
        return QString();
    }
    if (info.isSymLink() || !info.isFile()) {
        *error = QStringLiteral("plik z hasłem %1 nie jest zwykłym plikiem: hasło odrzucone").arg(file);
        return QString();
    }
    // The file must not be one that anyone on the machine can read.
    if (info.permissions() & (QFileDevice::ReadOther | QFileDevice::WriteOther)) {
        *error = QStringLiteral("plik z hasłem %1 może czytać każdy użytkownik komputera: hasło "
                                "odrzucone (wystarczy: chmod o-rwx %1)")
                     .arg(file);
        return QString();
    }
    if (!configFile.isEmpty() && QFileInfo::exists(configFile) &&
        info.groupId() != QFileInfo(configFile).groupId()) {
        *error =
            QStringLiteral("plik z hasłem %1 nie należy do grupy %2 pliku konfiguracyjnego: hasło odrzucone")
                .arg(file, QFileInfo(configFile).group());
        return QString();
    }
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("nie można odczytać pliku z hasłem %1: %2").arg(file, f.errorString());
        return QString();
    }
    QByteArray line = f.readLine(4096);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    error->clear();
    return QString::fromUtf8(line);
}

QByteArray encodedHeader(const QString& text) {
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
    if (ascii)
        return text.toLatin1();
    // Encoded words of at most 45 bytes of whole characters each (75 characters encoded).
    QByteArray out;
    QByteArray chunk;
    for (int i = 0; i < text.size(); ++i) {
        int n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray c = text.mid(i, n).toUtf8();
        i += n - 1;
        if (chunk.size() + c.size() > 45) {
            out += (out.isEmpty() ? "" : " ") + QByteArray("=?UTF-8?B?") + chunk.toBase64() + "?=";
            chunk.clear();
        }
        chunk += c;
    }
    if (!chunk.isEmpty())
        out += (out.isEmpty() ? "" : " ") + QByteArray("=?UTF-8?B?") + chunk.toBase64() + "?=";
    return out;
}

QJsonObject Message::toJson() const {
    QJsonArray files;
    for (const Attachment& a : attachments)
        files.append(QJsonObject{{QStringLiteral("path"), a.path}, {QStringLiteral("type"), a.contentType}});
    return QJsonObject{{QStringLiteral("id"), id},
                       {QStringLiteral("to"), QJsonArray::fromStringList(to)},
                       {QStringLiteral("subject"), subject},
                       {QStringLiteral("body"), body},
                       {QStringLiteral("attachments"), files}};
}

Message Message::fromJson(const QJsonObject& json) {
    Message m;
    m.id = json.value(QStringLiteral("id")).toString();
    for (const QJsonValue& v : json.value(QStringLiteral("to")).toArray())
        m.to << v.toString();
    m.subject = json.value(QStringLiteral("subject")).toString();
    m.body = json.value(QStringLiteral("body")).toString();
    for (const QJsonValue& v : json.value(QStringLiteral("attachments")).toArray())
        m.attachments << Attachment{v[QStringLiteral("path")].toString(),
                                    v[QStringLiteral("type")].toString()};
    return m;
}

namespace {

// What one transfer keeps: the server's replies and whether to stop.
struct Transfer {
    QByteArray lastReply;
    const std::function<bool()>* stop = nullptr;
    bool dataStarted = false; // the server said "go ahead" to the message's text
};

int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* user) {
    auto* t = static_cast<Transfer*>(user);
    if (type == CURLINFO_HEADER_IN) {
        QByteArray line(data, int(size));
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            t->lastReply = line.left(500);
        if (line.startsWith("354"))
            t->dataStarted = true;
    }
    return 0;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* t = static_cast<Transfer*>(user);
    return t->stop && *t->stop && (*t->stop)() ? 1 : 0;
}

struct Handle {
    CURL* curl = nullptr;
    curl_slist* recipients = nullptr;
    curl_slist* headers = nullptr;
    curl_mime* mime = nullptr;
    ~Handle() {
        curl_slist_free_all(recipients);
        curl_slist_free_all(headers);
        if (mime)
            curl_mime_free(mime);
        if (curl)
            curl_easy_cleanup(curl);
    }
};

QByteArray angle(const QString& address) {
    return '<' + address.toUtf8() + '>';
}

} // namespace

Outcome send(const Settings& settings, const QString& password, const Message& message,
             const std::function<bool()>& stop) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    if (const QString why = settings.problem(); !why.isEmpty())
        return {false, why};
    if (message.to.isEmpty())
        return {false, QStringLiteral("brak odbiorców")};
    if (const QString bad = badAddress(message.to); !bad.isEmpty())
        return {false, QStringLiteral("błędny adres odbiorcy: \"%1\"").arg(bad.left(80))};
    Handle h;
    h.curl = curl_easy_init();
    if (!h.curl)
        return {false, QStringLiteral("nie można uruchomić klienta poczty")};
    Transfer transfer;
    transfer.stop = &stop;
    char errors[CURL_ERROR_SIZE] = {};
    const QByteArray url = settings.url().toUtf8();
    const QByteArray from = angle(settings.sender);
    const QByteArray user = settings.user.toUtf8();
    const QByteArray secret = password.toUtf8();
    const QByteArray ca = QFile::encodeName(settings.caFile);
    curl_easy_setopt(h.curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(h.curl, CURLOPT_ERRORBUFFER, errors);
    curl_easy_setopt(h.curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h.curl, CURLOPT_MAIL_FROM, from.constData());
    for (const QString& to : message.to)
        h.recipients = curl_slist_append(h.recipients, angle(to).constData());
    curl_easy_setopt(h.curl, CURLOPT_MAIL_RCPT, h.recipients);
    if (settings.security == Security::StartTls)
        curl_easy_setopt(h.curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    if (!settings.caFile.isEmpty())
        curl_easy_setopt(h.curl, CURLOPT_CAINFO, ca.constData());
    if (!settings.user.isEmpty()) {
        curl_easy_setopt(h.curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(h.curl, CURLOPT_PASSWORD, secret.constData());
    }
    const long timeout = settings.timeoutSeconds;
    curl_easy_setopt(h.curl, CURLOPT_CONNECTTIMEOUT, timeout);
    curl_easy_setopt(h.curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeout);
    curl_easy_setopt(h.curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h.curl, CURLOPT_LOW_SPEED_TIME, timeout);
    curl_easy_setopt(h.curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(h.curl, CURLOPT_DEBUGFUNCTION, onDebug);
    curl_easy_setopt(h.curl, CURLOPT_DEBUGDATA, &transfer);
    curl_easy_setopt(h.curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h.curl, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(h.curl, CURLOPT_XFERINFODATA, &transfer);

    const QString date =
        QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss "));
    const int offset = QDateTime::currentDateTime().offsetFromUtc() / 60;
    const QByteArray zone = QStringLiteral("%1%2%3")
                                .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                                .arg(qAbs(offset) / 60, 2, 10, QLatin1Char('0'))
                                .arg(qAbs(offset) % 60, 2, 10, QLatin1Char('0'))
                                .toLatin1();
    const QByteArray domain = settings.sender.section(QLatin1Char('@'), 1).toUtf8();
    const QList<QByteArray> headers{
        "Date: " + date.toLatin1() + zone,
        "From: " + from,
        "To: " + message.to.join(QStringLiteral(", ")).toUtf8(),
        "Subject: " + encodedHeader(message.subject),
        "Message-ID: <" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + '@' + domain + '>',
    };
    for (const QByteArray& line : headers)
        h.headers = curl_slist_append(h.headers, line.constData());
    curl_easy_setopt(h.curl, CURLOPT_HTTPHEADER, h.headers);

    h.mime = curl_mime_init(h.curl);
    curl_mimepart* text = curl_mime_addpart(h.mime);
    const QByteArray body = message.body.toUtf8();
    curl_mime_data(text, body.constData(), size_t(body.size()));
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");
    for (const Attachment& a : message.attachments) {
        const QByteArray path = QFile::encodeName(a.path);
        const QByteArray type = a.contentType.toUtf8();
        curl_mimepart* part = curl_mime_addpart(h.mime);
        if (curl_mime_filedata(part, path.constData()) != CURLE_OK)
            return {false, QStringLiteral("nie można dołączyć pliku %1").arg(a.path)};
        curl_mime_type(part, type.isEmpty() ? "application/octet-stream" : type.constData());
        curl_mime_encoder(part, "base64");
    }
    curl_easy_setopt(h.curl, CURLOPT_MIMEPOST, h.mime);

    const CURLcode result = curl_easy_perform(h.curl);
    const QString reply = QString::fromUtf8(transfer.lastReply);
    if (result == CURLE_OK)
        return {true, reply};
    QString why = QString::fromUtf8(errors[0] ? errors : curl_easy_strerror(result));
    if (result == CURLE_ABORTED_BY_CALLBACK)
        why = QStringLiteral("wysyłka przerwana");
    return {false,
            reply.isEmpty() ? why : why + QStringLiteral(" (odpowiedź serwera: ") + reply + QLatin1Char(')')};
}

QString stateText(Outbox::State state) {
    switch (state) {
    case Outbox::State::Pending:
        return QStringLiteral("oczekuje");
    case Outbox::State::Sending:
        return QStringLiteral("wysyłana");
    case Outbox::State::Sent:
        return QStringLiteral("wysłana");
    case Outbox::State::GivenUp:
        return QStringLiteral("zaniechana");
    case Outbox::State::Unknown:
        break;
    }
    return QStringLiteral("przerwana");
}

namespace {

Outbox::State stateOf(const QString& text) {
    for (Outbox::State s :
         {Outbox::State::Pending, Outbox::State::Sending, Outbox::State::Sent, Outbox::State::GivenUp})
        if (stateText(s) == text)
            return s;
    return Outbox::State::Unknown;
}

bool safeId(const QString& id) {
    static const QRegularExpression word(QStringLiteral("^[A-Za-z0-9_.-]{1,120}$"));
    return word.match(id).hasMatch() && !id.startsWith(QLatin1Char('.'));
}

} // namespace

Outbox::Outbox(const QString& reportsFolder) : m_folder(folderIn(reportsFolder)) {}

QString Outbox::folderIn(const QString& reportsFolder) {
    return QDir(reportsFolder).filePath(QStringLiteral("Poczta"));
}

void Outbox::write(const Entry& e) const {
    QJsonObject json = e.message.toJson();
    json.insert(QStringLiteral("state"), stateText(e.state));
    json.insert(QStringLiteral("attempts"), e.attempts);
    json.insert(QStringLiteral("created"), e.created.toString(Qt::ISODate));
    json.insert(QStringLiteral("lastAttempt"), e.lastAttempt.toString(Qt::ISODate));
    json.insert(QStringLiteral("lastReply"), e.lastReply);
    SafeFile::replace(e.file, QJsonDocument(json).toJson(), SafeFile::Links::Replace);
}

void Outbox::add(const Message& message, const QDateTime& now) {
    if (!safeId(message.id))
        throw EFileWriteError(QStringLiteral("Błędny identyfikator wiadomości: %1").arg(message.id.left(80)));
    SafeFile::makeFolders(m_folder);
    Entry e;
    e.message = message;
    e.created = now;
    e.file = QDir(m_folder).filePath(message.id + QStringLiteral(".json"));
    write(e);
}

QVector<Outbox::Entry> Outbox::entries() const {
    QVector<Entry> out;
    const QFileInfoList files =
        QDir(m_folder).entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QFileInfo& info : files) {
        // Only the files this program writes, never a link another user placed.
        if (info.isSymLink() || !safeId(info.completeBaseName()))
            continue;
        QFile f(info.absoluteFilePath());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject json = QJsonDocument::fromJson(f.read(16 * 1024 * 1024)).object();
        if (json.isEmpty())
            continue;
        Entry e;
        e.message = Message::fromJson(json);
        if (e.message.id != info.completeBaseName())
            continue;
        e.state = stateOf(json.value(QStringLiteral("state")).toString());
        e.attempts = json.value(QStringLiteral("attempts")).toInt();
        e.created = QDateTime::fromString(json.value(QStringLiteral("created")).toString(), Qt::ISODate);
        e.lastAttempt =
            QDateTime::fromString(json.value(QStringLiteral("lastAttempt")).toString(), Qt::ISODate);
        e.lastReply = json.value(QStringLiteral("lastReply")).toString();
        e.file = info.absoluteFilePath();
        out << e;
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Entry& a, const Entry& b) { return a.created < b.created; });
    return out;
}

QVector<Outbox::Entry> Outbox::deliver(const Settings& settings, const QString& password,
                                       const QDateTime& now, const std::function<bool()>& stop) {
    QVector<Entry> tried;
    if (!QFileInfo(m_folder).isDir())
        return tried;
    // One sender at a time per database: another assistant or run that delivers goes on alone.
    FileLock lock(QDir(m_folder).filePath(QStringLiteral(".wysylka.lock")), m_folder);
    if (!lock.tryLock())
        return tried;
    const QString reportsFolder = QFileInfo(m_folder).path();
    for (Entry e : entries()) {
        if (stop && stop())
            break;
        if (e.state != State::Pending && e.state != State::Sending) {
            const QDateTime when = e.lastAttempt.isValid() ? e.lastAttempt : e.created;
            if (when.isValid() && when.daysTo(now) > KeptDays)
                QFile::remove(e.file);
            continue;
        }
        if (e.state == State::Sending) {
            // Its sender died mid-way: it may have gone, and is never sent twice.
            e.state = State::Unknown;
            e.lastReply = QStringLiteral("wysyłka przerwana w trakcie; wiadomość mogła nie dotrzeć");
            write(e);
            tried << e;
            continue;
        }
        if (const QString why = refusal(settings, reportsFolder, e.message); !why.isEmpty()) {
            e.state = State::GivenUp;
            e.lastAttempt = now;
            e.lastReply = why;
            write(e);
            tried << e;
            continue;
        }
        e.state = State::Sending;
        e.attempts += 1;
        e.lastAttempt = now;
        write(e);
        const Outcome outcome = send(settings, password, e.message, stop);
        e.lastReply = outcome.reply;
        if (outcome.sent)
            e.state = State::Sent;
        else if (outcome.mayHaveArrived)
            e.state = State::Unknown;
        else if (e.attempts >= MaxAttempts)
            e.state = State::GivenUp;
        else
            e.state = State::Pending;
        write(e);
        tried << e;
    }
    return tried;
}

QString refusal(const Settings& settings, const QString& reportsFolder, const Message& message) {
    // A kept message names only addresses of the configuration as it is now.
    QStringList allowed = settings.recipients;
    for (const QStringList& unit : settings.unitRecipients)
        allowed << unit;
    for (const QString& to : message.to)
        if (!allowed.contains(to, Qt::CaseInsensitive))
            return QStringLiteral(
                       "odbiorca %1 nie jest już odbiorcą raportu w ustawieniach poczty: wiadomość "
                       "nie została wysłana")
                .arg(to.left(80));
    // And only report files of its own folder, never a link.
    const QString root = QDir(QFileInfo(reportsFolder).canonicalFilePath()).absolutePath() + QLatin1Char('/');
    for (const Attachment& a : message.attachments) {
        const QFileInfo info(a.path);
        const QString real = info.canonicalFilePath();
        if (info.isSymLink() || !info.isFile() || real.isEmpty() || !real.startsWith(root))
            return QStringLiteral("załącznik %1 nie jest plikiem raportu: wiadomość nie została wysłana")
                .arg(a.path.left(200));
    }
    return QString();
}

QVector<Delivery> deliverPending(const TMyIniFile& ini, const QStringList& reportFolders,
                                 const QDateTime& now, const std::function<bool()>& stop, QString* problem) {
    problem->clear();
    QVector<Delivery> out;
    const Settings settings = Settings::read(ini);
    if (!settings.on)
        return out;
    QStringList waiting;
    for (const QString& folder : reportFolders)
        for (const Outbox::Entry& e : Outbox(folder).entries())
            if (e.state == Outbox::State::Pending || e.state == Outbox::State::Sending)
                waiting << folder;
    if (waiting.isEmpty())
        return out;
    if (const QString why = settings.problem(); !why.isEmpty()) {
        *problem = why;
        return out;
    }
    QString password;
    if (!settings.user.isEmpty()) {
        password = readPassword(settings.passwordFile, ini.fileName(), problem);
        if (!problem->isEmpty())
            return out;
    }
    waiting.removeDuplicates();
    for (const QString& folder : waiting)
        for (const Outbox::Entry& e : Outbox(folder).deliver(settings, password, now, stop))
            out << Delivery{folder, e};
    return out;
}

QVector<Delivery> lastDelivery(const QStringList& reportFolders) {
    QVector<Delivery> all;
    QDateTime newest;
    for (const QString& folder : reportFolders)
        for (const Outbox::Entry& e : Outbox(folder).entries()) {
            all << Delivery{folder, e};
            if (!newest.isValid() || e.created > newest)
                newest = e.created;
        }
    QVector<Delivery> out;
    for (const Delivery& d : all)
        if (d.entry.created == newest)
            out << d;
    return out;
}

} // namespace Mail
