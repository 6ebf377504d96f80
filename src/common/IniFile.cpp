#include "IniFile.h"

#include "Errors.h"
#include "platform/FileLock.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString lockPathFor(const QString& path) {
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
}

[[noreturn]] void failWrite(const QString& path, const QString& reason) {
    throw EFileWriteError(
        QStringLiteral("Nie można zapisać pliku %1: %2").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

IniFile::IniFile(const QString& path) : m_path(path) {}

IniDocument IniFile::read() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return IniDocument();
    return IniDocument::fromBytes(file.readAll());
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
    return read().value(section, key, defaultValue).left(MaxValueLength);
}

QStringList IniFile::readSection(const QString& section) const {
    return read().sectionLines(section);
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    update([&](IniDocument& doc) { doc.setValue(section, key, value); });
}

void IniFile::deleteKey(const QString& section, const QString& key) {
    update([&](IniDocument& doc) { doc.removeKey(section, key); });
}

void IniFile::update(const std::function<void(IniDocument&)>& change) {
    // A linked settings file is shared through its target: the lock lives beside the target.
    const QString target = SafeFile::resolveLinks(m_path);
    FileLock lock(lockPathFor(target), target);
    if (!lock.lock())
        failWrite(m_path, lock.errorText());
    IniDocument doc = read();
    change(doc);
    SafeFile::replace(m_path, doc.toBytes(), SafeFile::Links::Follow);
}
