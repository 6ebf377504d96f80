#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real SMTP server (python3-aiosmtpd) on a private loopback port, for as long as the object
// lives, and what it received, read back.
class SmtpServer {
public:
    enum class Mode { Plain, StartTls, Tls, Silent };
    // user and password: the only login it takes (none: no login asked).
    explicit SmtpServer(Mode mode, const QString& user = QString(), const QString& password = QString());
    ~SmtpServer();

    int port() const { return m_port; }
    // The certificate the server shows (made for this server), for the client to trust.
    QString certificate() const { return m_dir.filePath(QStringLiteral("cert.pem")); }
    // The messages received, oldest first: from, to, subject (decoded), headers, rawHeaders,
    // body (decoded text), attachments (name, type, path of the saved copy).
    QJsonArray messages() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};
