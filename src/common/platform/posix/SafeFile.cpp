#include "platform/SafeFile.h"

#include "Errors.h"
#include "Io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const QString& path, int error) {
    throw EFileWriteError(QStringLiteral("Nie można zapisać pliku %1: %2")
                              .arg(QDir::toNativeSeparators(path), SafeFile::systemReason(error)));
}

void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // some file systems cannot sync a folder; the rename is made all the same
    ::close(fd);
}

// Whether name is what mkostemp makes of ".<fileName>.XXXXXX".
bool isPrivateCopyName(const QString& name, const QString& fileName) {
    const QString prefix = QLatin1Char('.') + fileName + QLatin1Char('.');
    if (name.size() != prefix.size() + 6 || !name.startsWith(prefix))
        return false;
    for (const QChar c : name.mid(prefix.size())) {
        // mkostemp's letters and digits are ASCII.
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
              (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))))
            return false;
    }
    return true;
}

} // namespace

void SafeFile::removeLeftoversOf(const QString& target) {
    const QFileInfo info(target);
    const QString fileName = info.fileName();
    const QDir folder(info.absolutePath());
    const time_t now = ::time(nullptr);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!isPrivateCopyName(name, fileName))
            continue;
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        struct stat st {};
        // Only plain files: a link of that name is nobody's write.
        if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (now - st.st_mtime >= LeftoverAgeSeconds)
            ::unlink(path.constData()); // one that cannot go now goes at a later write
    }
}

QString SafeFile::systemReason(int error) {
    // strerror follows LC_MESSAGES; the programs never switch it from "C".
    return QString::fromLocal8Bit(std::strerror(error));
}

unsigned SafeFile::creationMask() {
    // Linux tells the mask in the process status; setting it to read it back would change it
    // for every thread in between.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const unsigned mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mask & 0777;
            }
        }
    }
    // Without it, the mask every login sets up by default.
    return 022;
}

namespace {
bool isSharedFolder(const QByteArray& folder) {
    struct stat st {};
    return ::stat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISGID);
}
} // namespace

unsigned SafeFile::newFileMode(const QString& folder) {
    unsigned mode = 0666 & ~creationMask();
    if (isSharedFolder(QFile::encodeName(folder)))
        mode |= 0660;
    return mode;
}

void SafeFile::makeFolders(const QString& folder) {
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    // The missing folders from the top down.
    QStringList missing;
    for (QString at = clean; !at.isEmpty(); at = QFileInfo(at).path()) {
        struct stat st {};
        if (::stat(QFile::encodeName(at).constData(), &st) == 0) {
            if (!S_ISDIR(st.st_mode))
                throw EFileWriteError(QStringLiteral("Nie można utworzyć folderu %1: %2")
                                          .arg(QDir::toNativeSeparators(clean), systemReason(ENOTDIR)));
            break;
        }
        missing.prepend(at);
        if (at == QLatin1String("/"))
            break;
    }
    for (const QString& at : missing) {
        const QByteArray native = QFile::encodeName(at);
        if (::mkdir(native.constData(), 0777) != 0) {
            const int error = errno;
            struct stat st {};
            if (error == EEXIST && ::stat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode))
                continue; // made by another program meanwhile
            throw EFileWriteError(QStringLiteral("Nie można utworzyć folderu %1: %2")
                                      .arg(QDir::toNativeSeparators(at), systemReason(error)));
        }
        // The new folder inherited the set-group-ID bit of a shared parent: the group writes too.
        struct stat st {};
        if (::stat(native.constData(), &st) == 0 && (st.st_mode & S_ISGID))
            ::chmod(native.constData(), (st.st_mode & 07777) | S_IRWXG);
    }
}

QString SafeFile::resolveLinks(const QString& path) {
    QString current = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        const QString target = QFile::symLinkTarget(current);
        if (target.isEmpty())
            return current;
        current = target;
    }
    return current;
}

void SafeFile::replace(const QString& path, const QByteArray& bytes, Links links) {
    const QString target = links == Links::Follow ? resolveLinks(path) : path;
    removeLeftoversOf(target);
    const QFileInfo info(target);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    const QByteArray finalName = QFile::encodeName(info.absoluteFilePath());

    struct stat old {};
    const bool hadFile = ::lstat(finalName.constData(), &old) == 0 && S_ISREG(old.st_mode);

    QByteArray temp = folder + "/." + QFile::encodeName(info.fileName()) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        fail(target, errno);
    auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temp.constData());
        fail(target, error);
    };
    if (!PosixIo::writeAll(fd, bytes.constData(), std::size_t(bytes.size())))
        abandon(errno);
    if (hadFile) {
        // The group of a shared file and its mode stay; the owner too where the system allows.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
            // Not a member of the file's group: the file becomes the writer's, as any editor does.
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            abandon(errno);
    } else if (::fchmod(fd, mode_t(newFileMode(info.absolutePath()))) != 0) {
        abandon(errno);
    }
    if (::fsync(fd) != 0)
        abandon(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        fail(target, error);
    }
    if (::rename(temp.constData(), finalName.constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        fail(target, error);
    }
    syncFolder(folder);
}

QString SafeFile::copyBeside(const QString& source, const QString& target) {
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        fail(source, errno);
    removeLeftoversOf(target);
    const QFileInfo info(target);
    QByteArray temp =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) + ".XXXXXX";
    const int out = ::mkostemp(temp.data(), O_CLOEXEC);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        fail(target, error);
    }
    int error = 0;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = PosixIo::readSome(in, buffer.data(), std::size_t(buffer.size()));
        if (n < 0)
            error = errno;
        if (n <= 0)
            break;
        if (!PosixIo::writeAll(out, buffer.constData(), std::size_t(n))) {
            error = errno;
            break;
        }
    }
    ::close(in);
    if (error == 0 && ::fchmod(out, mode_t(newFileMode(info.absolutePath()))) != 0)
        error = errno;
    if (error == 0 && ::fsync(out) != 0)
        error = errno;
    if (::close(out) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.constData());
        fail(target, error);
    }
    return QFile::decodeName(temp);
}

void SafeFile::moveOver(const QString& file, const QString& target) {
    const QFileInfo info(target);
    // A file that copyBeside made: beside target, so that the rename never crosses file systems.
    Q_ASSERT(QFileInfo(file).absolutePath() == info.absolutePath());
    if (::rename(QFile::encodeName(file).constData(),
                 QFile::encodeName(info.absoluteFilePath()).constData()) != 0)
        fail(target, errno);
    syncFolder(QFile::encodeName(info.absolutePath()));
}

bool SafeFile::canWrite(const QString& path) {
    const QString at = QFileInfo::exists(path) ? path : QFileInfo(path).absolutePath();
    return ::access(QFile::encodeName(at).constData(), W_OK) == 0;
}
