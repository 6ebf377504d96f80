#include "MailReport.h"

#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QUuid>

namespace kolmrap {

namespace MailReport {

namespace {

const QString WorkbookType =
    QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");

QString count(int n) {
    return n < 0 ? QStringLiteral("–") : QString::number(n);
}

QString megabytes(qint64 bytes) {
    return QLocale(QLocale::Polish).toString(double(bytes) / (1024 * 1024), 'f', 1) + QStringLiteral(" MB");
}

// The table of the sections and the lapsing items, in plain text.
QString table(const QVector<RunHistory::Line>& lines, const QHash<QString, QString>& titles) {
    QStringList out;
    out << QStringLiteral("%1 %2 %3 %4   %5")
               .arg(QStringLiteral("Sekcja"), -12)
               .arg(QStringLiteral("Wierszy"), 8)
               .arg(QStringLiteral("Nowe"), 6)
               .arg(QStringLiteral("Rozwiązane"), 11)
               .arg(QStringLiteral("Zestawienie"));
    int lapsing30 = -1, lapsing90 = -1;
    for (const RunHistory::Line& l : lines) {
        if (l.section == RunHistory::LapseLine) {
            lapsing30 = l.lapsing30;
            lapsing90 = l.lapsing90;
            continue;
        }
        out << QStringLiteral("%1 %2 %3 %4   %5")
                   .arg(l.section, -12)
                   .arg(count(l.rows), 8)
                   .arg(count(l.newRows), 6)
                   .arg(count(l.resolved), 11)
                   .arg(titles.value(l.section));
    }
    out << QString();
    out << QStringLiteral("Pozycje okresowe wygasające w ciągu 30 dni: %1").arg(count(lapsing30));
    out << QStringLiteral("Pozycje okresowe wygasające w ciągu 90 dni: %1").arg(count(lapsing90));
    return out.join(QLatin1Char('\n'));
}

QString idOf(const QString& alias, const QDate& date, int n) {
    QString safe = alias;
    safe.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    // The run's messages in the order they were made: the organisation's first.
    return QStringLiteral("%1-%2-%3-%4")
        .arg(date.toString(QStringLiteral("yyyyMMdd")), safe.left(40))
        .arg(n, 2, 10, QLatin1Char('0'))
        .arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
}

} // namespace

QString subject(const QString& description, const QDate& date) {
    return QStringLiteral("Raport podsumowujący – %1 – %2").arg(description, date.toString(Qt::ISODate));
}

QVector<Mail::Message> messages(const DatabaseOutcome& outcome, const QString& description, const QDate& date,
                                const Mail::Settings& settings, QStringList* notes) {
    QVector<Mail::Message> out;
    const QString head = QStringLiteral("Raport podsumowujący z dnia %1\nBaza danych: %2 (%3)\n")
                             .arg(date.toString(Qt::ISODate), description, outcome.alias);
    const QString foot =
        QStringLiteral("\n\nWiadomość wysłana przez program kolmrap po wykonaniu raportu.\n");
    if (!settings.recipients.isEmpty()) {
        Mail::Message m;
        m.id = idOf(outcome.alias, date, 0);
        m.to = settings.recipients;
        m.subject = subject(description, date);
        QStringList attached;
        if (!outcome.workbook.isEmpty()) {
            m.attachments << Mail::Attachment{outcome.workbook, WorkbookType};
            attached << QStringLiteral("arkusz %1").arg(QFileInfo(outcome.workbook).fileName());
        }
        qint64 pdfBytes = 0;
        for (const QString& pdf : outcome.pdfs)
            pdfBytes += QFileInfo(pdf).size();
        QString where;
        if (!outcome.pdfs.isEmpty() && pdfBytes <= settings.pdfLimitBytes) {
            for (const QString& pdf : outcome.pdfs)
                m.attachments << Mail::Attachment{pdf, QStringLiteral("application/pdf")};
            attached << QStringLiteral("raporty PDF (%1)").arg(outcome.pdfs.size());
        } else if (!outcome.pdfs.isEmpty()) {
            where =
                QStringLiteral("\nRaporty PDF (razem %1) nie zostały dołączone, bo przekraczają limit %2.")
                    .arg(megabytes(pdfBytes), megabytes(settings.pdfLimitBytes));
        }
        m.body = head + QLatin1Char('\n') + table(outcome.history, outcome.titles) + QStringLiteral("\n\n") +
                 (attached.isEmpty() ? QStringLiteral("Bez załączników.")
                                     : QStringLiteral("W załączniku: ") +
                                           attached.join(QStringLiteral(", ")) + QLatin1Char('.')) +
                 where + QStringLiteral("\nRaporty są w folderze: ") + outcome.reportsFolder + foot;
        out << m;
    }
    // Each unit only its own findings: its workbook, never the organisation's PDFs.
    QStringList known;
    for (const DatabaseOutcome::Unit& unit : outcome.units) {
        known << unit.unit.code;
        const QStringList to = settings.unitRecipients.value(unit.unit.code);
        if (to.isEmpty())
            continue;
        Mail::Message m;
        m.id = idOf(outcome.alias, date, int(out.size()));
        m.to = to;
        m.subject = subject(description, date) + QStringLiteral(" – ") + unit.unit.caption();
        m.attachments << Mail::Attachment{unit.workbook, WorkbookType};
        m.body = head + QStringLiteral("Jednostka: ") + unit.unit.caption() + QStringLiteral("\n\n") +
                 table(unit.history, outcome.titles) + QStringLiteral("\n\nW załączniku: arkusz jednostki ") +
                 QFileInfo(unit.workbook).fileName() + QLatin1Char('.') + foot;
        out << m;
    }
    for (auto it = settings.unitRecipients.cbegin(); it != settings.unitRecipients.cend(); ++it)
        if (!known.contains(it.key()) && notes)
            *notes << (outcome.units.isEmpty()
                           ? QStringLiteral(
                                 "jednostka %1: arkusze jednostek są wyłączone, wiadomość nie powstała")
                                 .arg(it.key())
                           : QStringLiteral("jednostka %1: nie ma takiej jednostki w strukturze na dzień %2")
                                 .arg(it.key(), date.toString(Qt::ISODate)));
    return out;
}

} // namespace MailReport

} // namespace kolmrap
