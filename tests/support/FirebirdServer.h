#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A Firebird server of the test's own: a private root folder (configuration, security database
// with the suite's login, lock files), listening on a free port of 127.0.0.1 and serving the
// database files under dataFolder(). Several workstations reach the suite's databases like this.
class FirebirdServer {
public:
    // The suite's login is created with brelPassword; another password than the suite's makes a
    // server that refuses it.
    explicit FirebirdServer(const QString& brelPassword = QStringLiteral("qzvh"));
    ~FirebirdServer();
    FirebirdServer(const FirebirdServer&) = delete;
    FirebirdServer& operator=(const FirebirdServer&) = delete;

    // Whether this machine has the server program.
    static bool installed();

    // Starts the server and waits until it takes connections; throws EKolmError when it does not.
    void start();
    // Ends the server at once, as a crash or a pulled plug would.
    void kill();
    bool running() const { return m_process.state() == QProcess::Running; }

    int port() const { return m_port; }
    QString dataFolder() const;
    // The server name of a file under dataFolder() through this server: "<host>/<port>:<path>".
    QString serverName(const QString& fileName, const QString& host = QStringLiteral("localhost")) const;

private:
    void prepareRoot(const QString& brelPassword);

    QTemporaryDir m_root;
    int m_port = 0;
    QProcess m_process;
};
