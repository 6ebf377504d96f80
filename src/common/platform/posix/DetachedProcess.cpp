#include "platform/DetachedProcess.h"

#include "Io.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

qint64 DetachedProcess::start(const QString& program, const QStringList& arguments,
                              const QByteArray& standardInput) {
    // Everything the child needs is made before it exists.
    std::vector<QByteArray> texts;
    texts.push_back(QFile::encodeName(program));
    for (const QString& a : arguments)
        texts.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& t : texts)
        argv.push_back(t.data());
    argv.push_back(nullptr);

    int input[2];
    int status[2];
    if (::pipe2(input, O_CLOEXEC) != 0)
        return 0;
    if (::pipe2(status, O_CLOEXEC) != 0) {
        ::close(input[0]);
        ::close(input[1]);
        return 0;
    }
    // The pipe holds far more than a password line: written whole before the program starts.
    const bool written = PosixIo::writeAll(input[1], standardInput.constData(), size_t(standardInput.size()));
    ::close(input[1]);
    if (!written) {
        ::close(input[0]);
        ::close(status[0]);
        ::close(status[1]);
        return 0;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const pid_t grandchild = ::fork();
        if (grandchild != 0) {
            const qint64 pid = grandchild;
            PosixIo::writeAll(status[1], &pid, sizeof pid);
            ::_exit(grandchild < 0 ? 1 : 0);
        }
        ::setsid();
        ::dup2(input[0], STDIN_FILENO);
        ::execv(argv[0], argv.data());
        const int error = errno;
        PosixIo::writeAll(status[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(input[0]);
    ::close(status[1]);
    qint64 pid = 0;
    if (child > 0) {
        int ignored = 0;
        while (::waitpid(child, &ignored, 0) < 0 && errno == EINTR) {
        }
        int error = 0;
        if (!PosixIo::readAll(status[0], &pid, sizeof pid) ||
            PosixIo::readAll(status[0], &error, sizeof error))
            pid = 0; // no program, or the program could not be started
    }
    ::close(status[0]);
    return pid;
}
