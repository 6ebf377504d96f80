#include "ExtraOptions.h"

#include "MyIniFile.h"

#include <cstdio>

namespace {

void warn(const QString& key, const QString& value, const QString& meaning) {
    std::fprintf(stderr, "%s\n",
                 qPrintable(QStringLiteral("Ustawienie %1=\"%2\" %3").arg(key, value.left(80), meaning)));
}

bool readSwitch(const QString& key, const QString& value) {
    if (value == TMyIniFile::Missing || value.isEmpty() || value == QLatin1String("N"))
        return false;
    if (value == QLatin1String("T"))
        return true;
    warn(key, value, QStringLiteral("nie jest \"T\" ani \"N\": opcja wyłączona"));
    return false;
}

int readCount(const QString& key, const QString& value, int fallback) {
    if (value == TMyIniFile::Missing || value.isEmpty())
        return fallback;
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    if (ok && n >= 0)
        return n;
    warn(key, value, QStringLiteral("nie jest liczbą: przyjęto %1").arg(fallback));
    return fallback;
}

} // namespace

namespace ExtraOptions {

bool workbook(const TMyIniFile& ini) {
    return readSwitch(QStringLiteral("ASYST.Arkusz.Str"),
                      ini.ReadAsystentSetting(QStringLiteral("ASYST"), QStringLiteral("Arkusz")));
}

bool polishLetters(const TMyIniFile& ini) {
    return readSwitch(QStringLiteral("ASYST.PolskieLitery.Str"),
                      ini.ReadAsystentSetting(QStringLiteral("ASYST"), QStringLiteral("PolskieLitery")));
}

int lapseHorizonDays(const TMyIniFile& ini) {
    return readCount(QStringLiteral("ASYST.Horyzont.Str"),
                     ini.ReadAsystentSetting(QStringLiteral("ASYST"), QStringLiteral("Horyzont")), 90);
}

int backupCopiesKept(const TMyIniFile& ini) {
    return readCount(QStringLiteral("BACKUP.IleKopii.Str"),
                     ini.ReadBackupSetting(QStringLiteral("BACKUP"), QStringLiteral("IleKopii")), 0);
}

} // namespace ExtraOptions
