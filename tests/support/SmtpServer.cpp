#include "SmtpServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QThread>

#include <algorithm>
#include <stdexcept>

SmtpServer::SmtpServer(Mode mode, const QString& user, const QString& password) {
    QDir().mkpath(m_dir.filePath(QStringLiteral("box")));
    QStringList args{QStringLiteral(KOLM_SMTP_SERVER), m_dir.filePath(QStringLiteral("box")),
                     m_dir.filePath(QStringLiteral("port"))};
    if (mode == Mode::StartTls || mode == Mode::Tls) {
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", m_dir.filePath("key.pem"),
                       "-out", certificate(), "-days", "2", "-subj", "/CN=localhost", "-addext",
                       "subjectAltName=DNS:localhost,IP:127.0.0.1"});
        if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
            throw std::runtime_error("openssl could not make the test certificate: " +
                                     openssl.readAllStandardError().toStdString());
        args << (mode == Mode::Tls ? QStringLiteral("--tls") : QStringLiteral("--starttls")) << certificate()
             << m_dir.filePath(QStringLiteral("key.pem"));
    }
    if (mode == Mode::Silent)
        args << QStringLiteral("--silent");
    if (!user.isEmpty())
        args << QStringLiteral("--auth") << user + QLatin1Char(':') + password;
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("/usr/bin/python3"), args);
    QElapsedTimer waited;
    waited.start();
    QFile portFile(m_dir.filePath(QStringLiteral("port")));
    while (!portFile.exists()) {
        if (waited.elapsed() > 20000 || m_process.state() == QProcess::NotRunning)
            throw std::runtime_error("the test SMTP server did not start");
        QThread::msleep(20);
    }
    portFile.open(QIODevice::ReadOnly);
    m_port = portFile.readAll().trimmed().toInt();
}

SmtpServer::~SmtpServer() {
    m_process.kill();
    m_process.waitForFinished(5000);
}

QJsonArray SmtpServer::messages() const {
    QStringList files =
        QDir(m_dir.filePath(QStringLiteral("box"))).entryList({QStringLiteral("*.json")}, QDir::Files);
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return a.section(QLatin1Char('.'), 0, 0).toInt() < b.section(QLatin1Char('.'), 0, 0).toInt();
    });
    QJsonArray out;
    for (const QString& name : files) {
        QFile f(m_dir.filePath(QStringLiteral("box/") + name));
        f.open(QIODevice::ReadOnly);
        out.append(QJsonDocument::fromJson(f.readAll()).object());
    }
    return out;
}
