#include "FullDisk.h"

#include <QFile>
#include <QProcess>

#include <unistd.h>

bool FullDisk::available() {
    return ::geteuid() == 0;
}

FullDisk::FullDisk(int kilobytes) {
    if (!available())
        return;
    m_mounted = QProcess::execute(QStringLiteral("mount"),
                                  {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                   QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"),
                                   m_dir.path()}) == 0;
}

FullDisk::~FullDisk() {
    if (m_mounted)
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_dir.path()});
}

void FullDisk::fill() {
    QFile filler(filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::Append))
        return;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    // The last partial block: byte by byte until nothing more goes.
    while (filler.write("x", 1) == 1 && filler.flush()) {
    }
}
