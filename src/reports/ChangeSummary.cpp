#include "ChangeSummary.h"

#include "Errors.h"
#include "WorkbookReader.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace kolmrap {

const QString ChangeSummary::Name = QStringLiteral("Podsumowanie");

namespace {

QDate dateOf(const QString& fileName) {
    static const QRegularExpression pattern(QStringLiteral("^Raport(\\d{4}-\\d{2}-\\d{2})\\.xlsx$"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    return m.hasMatch() ? QDate::fromString(m.captured(1), Qt::ISODate) : QDate();
}

} // namespace

QString ChangeSummary::newestEarlier(const QString& folder, const QDate& runDate) {
    QString newest;
    QDate newestDate;
    for (const QFileInfo& info : QDir(folder).entryInfoList({QStringLiteral("Raport*.xlsx")}, QDir::Files)) {
        // Read only what this program wrote there, never a link another user could have placed.
        const QDate d = dateOf(info.fileName());
        if (info.isSymLink() || !d.isValid() || d >= runDate)
            continue;
        if (!newestDate.isValid() || d > newestDate) {
            newestDate = d;
            newest = info.absoluteFilePath();
        }
    }
    return newest;
}

SectionSheet ChangeSummary::build(const QVector<SectionSheet>& sections, const QString& earlier) {
    SectionSheet sheet;
    sheet.name = Name;
    sheet.headers = {QStringLiteral("Sekcja"), QStringLiteral("Wierszy"), QStringLiteral("Nowe"),
                     QStringLiteral("Rozwiązane"), QStringLiteral("Porównano z arkuszem z dnia")};
    QHash<QString, QSet<QString>> before;
    QVariant comparedWith;
    if (earlier.isEmpty()) {
        comparedWith = QStringLiteral("brak wcześniejszego arkusza: nie ma z czym porównać");
    } else {
        try {
            before = WorkbookReader::rowKeys(earlier);
            comparedWith = dateOf(QFileInfo(earlier).fileName());
        } catch (const EKolmError& e) {
            comparedWith = QStringLiteral("nie można odczytać %1 (%2): porównanie pominięte")
                               .arg(QFileInfo(earlier).fileName(), e.text());
        }
    }
    const bool compared = comparedWith.metaType().id() == QMetaType::QDate;
    for (const SectionSheet& s : sections) {
        const QSet<QString> now = s.rowKeys();
        QVector<QVariant> row{s.name, int(s.rows.size())};
        if (compared) {
            const QSet<QString> then = before.value(s.name);
            row << int((now - then).size()) << int((then - now).size());
        } else {
            row << QString() << QString();
        }
        row << comparedWith;
        sheet.rows << row;
    }
    return sheet;
}

} // namespace kolmrap
