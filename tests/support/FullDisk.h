#pragma once

#include <QString>
#include <QTemporaryDir>

// A small file system of its own (tmpfs) that a test fills up, for what happens when the disk
// runs full. Needs root (mount); tests skip without it.
class FullDisk {
public:
    explicit FullDisk(int kilobytes);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    static bool available();
    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Writes a filler file until the file system refuses another byte.
    void fill();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
