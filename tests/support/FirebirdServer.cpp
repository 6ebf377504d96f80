#include "FirebirdServer.h"

#include "Errors.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char* const kServerProgram = "/usr/sbin/firebird";
const char* const kEngineRoot = "/usr/lib/x86_64-linux-gnu/firebird/3.0";

// A port of 127.0.0.1 that nobody listens on now.
int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

bool accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(quint16(port));
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

void writeText(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0)
        throw EKolmError(QStringLiteral("cannot write ") + path);
}

} // namespace

bool FirebirdServer::installed() {
    return QFile::exists(QLatin1String(kServerProgram));
}

FirebirdServer::FirebirdServer(const QString& brelPassword) {
    if (!installed())
        throw EKolmError(QStringLiteral("The Firebird server (firebird3.0-server) is not installed"));
    prepareRoot(brelPassword);
}

FirebirdServer::~FirebirdServer() {
    kill();
}

QString FirebirdServer::dataFolder() const {
    return m_root.filePath(QStringLiteral("data"));
}

QString FirebirdServer::serverName(const QString& fileName, const QString& host) const {
    return QStringLiteral("%1/%2:%3").arg(host).arg(m_port).arg(QDir(dataFolder()).filePath(fileName));
}

void FirebirdServer::prepareRoot(const QString& brelPassword) {
    if (!m_root.isValid())
        throw EKolmError(QStringLiteral("no temporary folder for the server"));
    const QDir root(m_root.path());
    root.mkpath(QStringLiteral("lock"));
    root.mkpath(QStringLiteral("data"));
    // The engine's own files are shared with the system; configuration and users are ours. The
    // character sets' module must be a file of the root itself: linked, WIN1250 is "not installed".
    const QDir engine{QString::fromLatin1(kEngineRoot)};
    for (const char* item : {"firebird.msg", "plugins", "lib", "UDF", "plugins.conf"})
        QFile::link(engine.filePath(QLatin1String(item)), root.filePath(QLatin1String(item)));
    root.mkpath(QStringLiteral("intl"));
    QFile::link(engine.filePath(QStringLiteral("intl/fbintl.conf")),
                root.filePath(QStringLiteral("intl/fbintl.conf")));
    if (!QFile::copy(engine.filePath(QStringLiteral("intl/libfbintl.so")),
                     root.filePath(QStringLiteral("intl/libfbintl.so"))))
        throw EKolmError(QStringLiteral("cannot copy the engine's character sets"));
    writeText(root.filePath(QStringLiteral("databases.conf")), QString());

    const QString security = root.filePath(QStringLiteral("security3.fdb"));
    const QString script = root.filePath(QStringLiteral("users.sql"));
    writeText(script, QStringLiteral("CREATE DATABASE '%1' USER SYSDBA;\n"
                                     "INPUT '/usr/share/firebird/3.0/security.sql';\n"
                                     "COMMIT;\n"
                                     "CREATE USER BREL PASSWORD '%2';\n"
                                     "GRANT CREATE DATABASE TO USER BREL;\n"
                                     "COMMIT;\n")
                          .arg(security, brelPassword));
    // The configuration must name the security database before isql makes it.
    m_port = freePort();
    writeText(root.filePath(QStringLiteral("firebird.conf")),
              QStringLiteral("RemoteServicePort = %1\nRemoteBindAddress = 127.0.0.1\nUdfAccess = None\n"
                             "SecurityDatabase = %2\n")
                  .arg(m_port)
                  .arg(security));
    QProcess isql;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), m_root.path());
    env.insert(QStringLiteral("FIREBIRD_LOCK"), root.filePath(QStringLiteral("lock")));
    isql.setProcessEnvironment(env);
    isql.setProcessChannelMode(QProcess::MergedChannels);
    isql.start(QStringLiteral("isql-fb"), {QStringLiteral("-q"), QStringLiteral("-i"), script});
    if (!isql.waitForFinished(60000) || isql.exitCode() != 0)
        throw EKolmError(QStringLiteral("the server's users could not be made: ") +
                         QString::fromLocal8Bit(isql.readAll()));
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

void FirebirdServer::start() {
    const QString config = m_root.filePath(QStringLiteral("firebird.conf"));
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt > 0) {
            // Someone took the port meanwhile: another one.
            m_port = freePort();
            QFile file(config);
            QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
            file.close();
            text.replace(QRegularExpression(QStringLiteral("RemoteServicePort = \\d+")),
                         QStringLiteral("RemoteServicePort = %1").arg(m_port));
            writeText(config, text);
        }
        m_process.start(QLatin1String(kServerProgram), {});
        if (!m_process.waitForStarted(10000))
            throw EKolmError(QStringLiteral("the Firebird server did not start: ") + m_process.errorString());
        QElapsedTimer waited;
        waited.start();
        while (m_process.state() == QProcess::Running && waited.elapsed() < 15000) {
            if (accepts(m_port))
                return;
            QThread::msleep(20);
        }
        kill();
    }
    throw EKolmError(QStringLiteral("the Firebird server takes no connections: ") +
                     QString::fromLocal8Bit(m_process.readAll()));
}

void FirebirdServer::kill() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(10000);
}
