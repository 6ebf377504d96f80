#include "IniFile.h"

#include "Errors.h"
#include "FileLock.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString lockPathFor(const QString& path) {
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
}

[[noreturn]] void failWrite(const QString& path, const QString& reason) {
    throw EFileWriteError(QStringLiteral("Nie można zapisać pliku %1: %2").arg(path, reason));
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

QStringList IniFile::readSection(const QString& section) const { return read().sectionLines(section); }

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    update([&](IniDocument& doc) { doc.setValue(section, key, value); });
}

void IniFile::deleteKey(const QString& section, const QString& key) {
    update([&](IniDocument& doc) { doc.removeKey(section, key); });
}

void IniFile::update(const std::function<void(IniDocument&)>& change) {
    FileLock lock(lockPathFor(m_path));
    if (!lock.lock())
        failWrite(m_path, lock.errorText());
    IniDocument doc = read();
    change(doc);
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        failWrite(m_path, out.errorString());
    out.write(doc.toBytes());
    if (!out.commit())
        failWrite(m_path, out.errorString());
}
