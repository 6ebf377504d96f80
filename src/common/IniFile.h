#pragma once

#include "IniDocument.h"

#include <QString>
#include <QStringList>
#include <functional>

// An INI file on disk. Every read sees the file's current content; every write is one
// complete update made under an exclusive lock and put in place by a rename, so two programs
// writing at the same moment lose nothing and no reader sees half a file.
class IniFile {
public:
    // Reads return at most this many characters of a value.
    static constexpr int MaxValueLength = 2047;

    explicit IniFile(const QString& path);
    const QString& path() const { return m_path; }

    // Never fails: a missing file, section or key gives the default.
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    QStringList readSection(const QString& section) const;
    IniDocument read() const;

    // Raise EFileWriteError naming the file when the file system refuses.
    void writeString(const QString& section, const QString& key, const QString& value);
    void deleteKey(const QString& section, const QString& key);
    // Read, change and write back as one locked update.
    void update(const std::function<void(IniDocument&)>& change);

private:
    QString m_path;
};
