#include "RunHistory.h"

#include "Errors.h"
#include "platform/FileLock.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>

namespace RunHistory {

const QString FileName = QStringLiteral("Historia.csv");
const QString LapseLine = QStringLiteral("Wygasające");
const QString Header =
    QStringLiteral("Data;Sekcja;Wierszy;Nowe;Rozwiązane;Wygasa w ciągu 30 dni;Wygasa w ciągu 90 dni");

namespace {

constexpr int Fields = 7;

QString number(int value) {
    return value < 0 ? QString() : QString::number(value);
}

// An empty field is -1; false for anything but digits.
bool readNumber(const QString& text, int& value) {
    if (text.isEmpty()) {
        value = -1;
        return true;
    }
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= 0 && !text.startsWith(QLatin1Char('+'));
}

} // namespace

bool Line::operator==(const Line& o) const {
    return date == o.date && section == o.section && rows == o.rows && newRows == o.newRows &&
           resolved == o.resolved && lapsing30 == o.lapsing30 && lapsing90 == o.lapsing90;
}

QVector<Line> parse(const QByteArray& content, const Warning& warn, QStringList* damaged) {
    QVector<Line> lines;
    const QList<QByteArray> raw = content.split('\n');
    for (int n = 0; n < raw.size(); ++n) {
        QString text = QString::fromUtf8(raw[n]);
        if (n == 0 && text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        if (text.trimmed().isEmpty() || (n == 0 && text.startsWith(QStringLiteral("Data;"))))
            continue;
        const QStringList f = text.split(QLatin1Char(';'));
        Line line;
        bool ok = f.size() == Fields;
        if (ok) {
            line.date = QDate::fromString(f[0], Qt::ISODate);
            line.section = f[1].trimmed();
            ok = line.date.isValid() && !line.section.isEmpty() && readNumber(f[2], line.rows) &&
                 readNumber(f[3], line.newRows) && readNumber(f[4], line.resolved) &&
                 readNumber(f[5], line.lapsing30) && readNumber(f[6], line.lapsing90);
        }
        if (!ok) {
            if (warn)
                warn(QStringLiteral("Historia: wiersz %1 jest uszkodzony i został pominięty: %2")
                         .arg(n + 1)
                         .arg(text.left(120)));
            if (damaged)
                *damaged << text;
            continue;
        }
        lines << line;
    }
    return lines;
}

QByteArray format(const QVector<Line>& lines, const QStringList& damaged) {
    QByteArray out = Header.toUtf8() + '\n';
    for (const Line& l : lines)
        out +=
            QStringList{
                l.date.toString(Qt::ISODate), l.section,           number(l.rows),     number(l.newRows),
                number(l.resolved),           number(l.lapsing30), number(l.lapsing90)}
                .join(QLatin1Char(';'))
                .toUtf8() +
            '\n';
    for (const QString& line : damaged)
        out += line.toUtf8() + '\n';
    return out;
}

QVector<Line> merged(const QVector<Line>& earlier, const QVector<Line>& run) {
    QSet<QDate> replaced;
    for (const Line& l : run)
        replaced.insert(l.date);
    QVector<Line> out;
    for (const Line& l : earlier)
        if (!replaced.contains(l.date))
            out << l;
    out << run;
    // The lines of one run keep their order.
    std::stable_sort(out.begin(), out.end(), [](const Line& a, const Line& b) { return a.date < b.date; });
    return out;
}

QString pathIn(const QString& reportsFolder) {
    return QDir(reportsFolder).filePath(FileName);
}

QVector<Line> read(const QString& reportsFolder, const Warning& warn) {
    QFile file(pathIn(reportsFolder));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll(), warn);
}

void record(const QString& reportsFolder, const QVector<Line>& run, const Warning& warn) {
    const QString path = pathIn(reportsFolder);
    // Two runs of one database (two users, two machines) must not each keep only their own lines.
    FileLock lock(QDir(reportsFolder).filePath(QStringLiteral(".") + FileName + QStringLiteral(".lock")),
                  reportsFolder);
    if (!lock.lock())
        throw EFileWriteError(QStringLiteral("Nie można zapisać pliku %1: %2")
                                  .arg(QDir::toNativeSeparators(path), lock.errorText()));
    QFile file(path);
    QVector<Line> earlier;
    QStringList damaged;
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            // A history that cannot be read is never replaced by this run's lines alone.
            throw EFileWriteError(QStringLiteral("Nie można odczytać pliku %1: %2")
                                      .arg(QDir::toNativeSeparators(path), file.errorString()));
        earlier = parse(file.readAll(), warn, &damaged);
        file.close();
    }
    SafeFile::replace(path, format(merged(earlier, run), damaged), SafeFile::Links::Replace);
}

QVector<QDate> runDates(const QVector<Line>& lines) {
    QVector<QDate> dates;
    for (const Line& l : lines)
        if (dates.isEmpty() || dates.last() != l.date)
            if (!dates.contains(l.date))
                dates << l.date;
    std::sort(dates.begin(), dates.end());
    return dates;
}

int lapsingSoon(const QVector<Line>& lines) {
    QDate newest;
    int count = -1;
    for (const Line& l : lines)
        if (l.section == LapseLine && l.lapsing30 >= 0 && (!newest.isValid() || l.date >= newest)) {
            newest = l.date;
            count = l.lapsing30;
        }
    return count;
}

} // namespace RunHistory
